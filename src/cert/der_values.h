// Turning the element a path selects into a value. Each derScan... function
// makes one derScan call with its path (which should end in an uppercase
// letter, so the content is selected) and returns that call's status when it
// fails; the der...Value forms convert a selection already made.
#pragma once

#include <cstdint>

#include "der_path.h"

// Zero-fills dest, then copies the selected bytes; DER_ERR_SPACE (after
// copying the first destSize bytes) when they do not fit.
int32_t derScanCopy(const uint8_t* element, const uint8_t* limit, const char* format, void* dest,
                    int32_t destSize);

// An INTEGER's content as a little-endian, sign-extended number of exactly
// destSize bytes. Longer content: its first destSize bytes are copied as they
// are and DER_ERR_SPACE is returned. Empty content: DER_ERR_BOUNDS.
int32_t derScanInteger(const uint8_t* element, const uint8_t* limit, const char* format,
                       void* dest, int32_t destSize);

// derScanInteger into 4 bytes; *out is written only on DER_OK.
int32_t derScanInt32(const uint8_t* element, const uint8_t* limit, const char* format,
                     int32_t* out);

// A one-byte BOOLEAN content (true when nonzero). Longer content gives
// DER_ERR_SPACE, empty content DER_ERR_BOUNDS; *out is then unchanged.
int32_t derScanBool(const uint8_t* element, const uint8_t* limit, const char* format, bool* out);
int32_t derBoolValue(const DerSelected& selected, bool* out);

// A character string, zero-terminated; a BMPString (by the selected element's
// own tag) is converted to UTF-8 unit by unit (an odd last byte is dropped),
// other types are copied as they are.
// *size: capacity on entry, the size needed (terminator included) on return.
// With a null output only the size is computed. A capacity below the needed
// size gives DER_ERR_SPACE and nothing is written.
int32_t derScanString(const uint8_t* element, const uint8_t* limit, const char* format,
                      char* output, int32_t* size);
int32_t derStringValue(const DerSelected& selected, char* output, int32_t* size);

// OBJECT IDENTIFIER content as dotted decimal text; empty content gives
// DER_ERR_LAST. *size as for derScanString; with too small a capacity the
// text is written while whole arcs fit and DER_ERR_SPACE is returned.
int32_t derScanOidText(const uint8_t* element, const uint8_t* limit, const char* format,
                       char* output, int32_t* size);

// Whether the dotted text of the OBJECT IDENTIFIER element is an item of the
// comma-separated list. An item matches only when a comma or the end of the
// list follows it directly.
bool derOidInList(const uint8_t* oidElement, const uint8_t* limit, const char* list);
