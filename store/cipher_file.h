// The enciphered-file layer: a DES variant in cipher-block chaining with a closing count byte, the
// CRC-32 that guards the settings file, and the whole-file read and write. Every call sets the cipher
// up from the key it is given; the layer keeps no state between calls.
//
// Enciphered buffer of n plain bytes: (n rounded down to a multiple of 8) + 8 bytes; the last plain block
// holds the remaining n mod 8 bytes, filler, and in its byte 7 the count n mod 8 (a whole extra block
// of filler and count 0 when n is a multiple of 8). Settings file: that buffer, then the CRC-32 of the
// plain text as 4 bytes little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The key of the settings file "sv.dat" and the key of the pictures inside clip files.
inline constexpr char kSettingsKey[] = "BrevaTol";
inline constexpr char kClipKey[] = "TorvikSa";
inline constexpr size_t kCipherKeyLength = 8;
// The one cipher mode: full DES with initial and final permutation and the standard key schedule.
inline constexpr int kCipherModeDes = 0;

// ---- blocks ---------------------------------------------------------------------------------------------
// The enciphered length of plainLength bytes: plainLength - plainLength % 8 + 8.
size_t EncipheredLength(size_t plainLength);

// Enciphers plain into out and returns the enciphered length. When outCapacity is smaller than that
// length nothing is written (a size query). Only the first 8 key bytes count; a shorter key is padded
// with zero bytes. A mode other than kCipherModeDes writes nothing and returns 0.
size_t EncryptBlocks(int mode, const uint8_t* plain, size_t plainLength, uint8_t* out, size_t outCapacity,
                     const uint8_t* key, size_t keyLength);

// Deciphers the whole 8-byte blocks of data (a trailing partial block is ignored) into out. Returns 0
// when there is no whole block; the whole-block length without writing when outCapacity is smaller
// than it; otherwise whole-block length - 8 + the last block's count byte read as signed 8 bits. That
// result is not clamped: it lies in 0..whole-block length only for a sound buffer, and a caller must
// check it before use.
ptrdiff_t DecryptBlocks(int mode, const uint8_t* data, size_t length, uint8_t* out, size_t outCapacity,
                        const uint8_t* key, size_t keyLength);

// ---- checksum ---------------------------------------------------------------------------------------------
// CRC-32/BZIP2 of length bytes (0 for no bytes); "123456789" gives 0xFC891918.
uint32_t Crc32(const uint8_t* data, size_t length);
uint32_t Crc32(std::string_view data);

// ---- whole files ------------------------------------------------------------------------------------------
// The settings-file bytes of text under key: the enciphered buffer, then the checksum.
std::string EncodeEncrypted(std::string_view text, const char* key, size_t keyLength);
// Deciphers settings-file bytes; true and out set when the count byte is sound and the checksum matches,
// false with out untouched otherwise.
bool DecodeEncrypted(std::string_view content, std::string& out, const char* key, size_t keyLength);

// Reads and deciphers the file; true and out set only when it could be read and passed DecodeEncrypted.
bool ReadEncryptedFile(const std::string& fileName, std::string& out, const char* key, size_t keyLength);
// Writes text enciphered to the file so that at every moment the file holds either its old or its new
// content in full (see WriteFileAtomically). True when the new content is in place.
bool WriteEncryptedFile(const std::string& fileName, std::string_view text, const char* key,
                        size_t keyLength);
