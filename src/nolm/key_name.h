#pragma once

// Copies keyName into the key path buffer. When it is too long, shows
// "<failure>\nІм'я ключа довше за 255 символів." and returns false.
bool takeKeyName(const char* keyName, const char* failure);
