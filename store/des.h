// The DES block cipher behind the enciphered files, with the game's one change in the rounds: the round
// function sees and returns each 32-bit half with its four bytes reversed (the halves are held
// little-endian while the function reads them most significant bit first). Everything else, tables and
// key schedule included, is standard DES, which the standard rounds reproduce for checking.
//
// Since byte reversal distributes over XOR, the game's rounds are the standard rounds run on halves whose
// bytes were reversed after the initial permutation and are reversed back before the final one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

enum class DesRounds {
  kGame,      // the files' variant
  kStandard,  // plain DES, for checking the tables against published vectors
};

// Set up once per key (the sixteen subkeys are derived in the constructor), then used for any number of
// blocks. Holds no reference to the key and no state that a block changes.
class DesCipher {
 public:
  // Sets up the sixteen subkeys from an 8-byte key (the parity bit of each byte is ignored).
  explicit DesCipher(const uint8_t key[8], DesRounds rounds = DesRounds::kGame);

  // Enciphers one 8-byte block; in and out may be the same.
  void EncryptBlock(const uint8_t in[8], uint8_t out[8]) const;
  // Deciphers one 8-byte block; in and out may be the same.
  void DecryptBlock(const uint8_t in[8], uint8_t out[8]) const;
  // Deciphers count blocks in cipher-block chaining: out block i is in block i deciphered, XOR in block
  // i - 1 (chain for the first); chain becomes the last in block. in and out may be the same but must
  // not otherwise overlap. Several blocks go through the rounds side by side, which is faster than
  // DecryptBlock one at a time (chaining makes each deciphered block independent of the others).
  void DecryptChained(const uint8_t* in, uint8_t* out, size_t count, uint8_t chain[8]) const;

 private:
  // Each round's 48-bit subkey as two words: the six bits for S-boxes 1, 3, 5, 7 in the low six bits of
  // bytes 3..0 of the first word, those for S-boxes 2, 4, 6, 8 likewise in the second.
  std::array<uint32_t, 32> subkeys_{};
  bool reverseHalves_;
};
