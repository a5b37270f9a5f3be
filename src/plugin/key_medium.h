// The key-medium marker that ChangePin, ReadFolderKey and ReadTokenKey pop:
// exactly "PLC:" for the plastic card, anything else a key folder or the card
// in the current reader. Kept from call to call: an empty stack means the
// marker popped before.
#pragma once

// False when the popped text was refused.
bool popKeyMedium();
const wchar_t* keyMedium();
bool keyMediumIsPlasticCard();
// False when the folder named was too long to be kept whole.
bool keyMediumIsSearchable();
