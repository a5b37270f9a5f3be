#pragma once

#define NOLM_CALL __stdcall
#define NOLM_EXPORT __declspec(dllexport) int NOLM_CALL
