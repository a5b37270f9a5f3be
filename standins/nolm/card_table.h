// The plastic card's function table, as KMGetFuncs("PLC:") returns it.
#pragma once

void** plasticCardTable();
