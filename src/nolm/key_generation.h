// Generating a key on the card (with its request) or into a key folder.
#pragma once

constexpr int kKeyRequestSize = 174;

// Checks that the library can generate on the card and takes keyName; shows
// why not and returns false otherwise.
bool prepareCardKeyGeneration(const char* keyName);
// Generates the key taken by prepareCardKeyGeneration; its request is kept
// for writeKeyRequest.
bool generateKeyOnCard(const char* password);
// Writes the kept request (174 bytes) to path; shows why not and returns false.
bool writeKeyRequest(const wchar_t* path);
// True from a successful generateKeyOnCard until the next
// prepareCardKeyGeneration or forgetKeyRequest.
bool hasKeyRequest();
void forgetKeyRequest();

bool generateKeyIntoFolder(const char* keyName, const char* keyDirectory, const char* password);
