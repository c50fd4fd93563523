// The DES block cipher behind the enciphered files, with the game's one change in the rounds: the round
// function sees and returns each 32-bit half with its four bytes reversed (the halves are held
// little-endian while the function reads them most significant bit first). Everything else, tables and
// key schedule included, is standard DES, which the standard rounds reproduce for checking.
#pragma once

#include <array>
#include <cstdint>

enum class DesRounds {
  kGame,      // the files' variant
  kStandard,  // plain DES, for checking the tables against published vectors
};

class DesCipher {
 public:
  // Sets up the sixteen subkeys from an 8-byte key (the parity bit of each byte is ignored).
  explicit DesCipher(const uint8_t key[8], DesRounds rounds = DesRounds::kGame);

  // Enciphers one 8-byte block; in and out may be the same.
  void EncryptBlock(const uint8_t in[8], uint8_t out[8]) const;
  // Deciphers one 8-byte block; in and out may be the same.
  void DecryptBlock(const uint8_t in[8], uint8_t out[8]) const;

 private:
  uint64_t Crypt(uint64_t block, bool decrypt) const;
  uint32_t RoundFunction(uint32_t half, int round) const;

  // Subkey of each round as eight 6-bit pieces, one per S-box.
  std::array<std::array<uint8_t, 8>, 16> subkeys_{};
  DesRounds rounds_;
};
