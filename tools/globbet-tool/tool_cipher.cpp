// globbet-tool cipher: the bare block layer (no checksum), for checking enciphered data by hand.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "store/atomic_file.h"
#include "store/cipher_file.h"
#include "tools/globbet-tool/command.h"

namespace {
constexpr char kUsage[] =
    "usage: globbet-tool cipher encrypt KEY IN OUT\n"
    "       globbet-tool cipher decrypt KEY IN OUT\n"
    "\n"
    "Enciphers or deciphers the bytes of IN into OUT with the game's block cipher in block chaining with\n"
    "its closing count byte, without a checksum. KEY is 8 characters: BrevaTol for the settings file,\n"
    "TorvikSa for pictures in clip files. A settings file without its last 4 bytes (the checksum)\n"
    "deciphers this way.\n";

int Run(const ToolArgs& args) {
  if (args.size() != 4 || (args[0] != "encrypt" && args[0] != "decrypt"))
    return Fail("usage: cipher encrypt|decrypt KEY IN OUT (see cipher --help)");
  const std::string& key = args[1];
  if (key.size() != kCipherKeyLength) return Fail("the key must be 8 characters");
  std::ifstream in(args[2], std::ios::binary);
  if (!in) return Fail("cannot open '" + args[2] + "'");
  const std::vector<uint8_t> input{std::istreambuf_iterator<char>(in), {}};
  const auto* k = reinterpret_cast<const uint8_t*>(key.data());
  std::vector<uint8_t> output(input.size() + 8);
  size_t length;
  if (args[0] == "encrypt") {
    length = EncryptBlocks(kCipherModeDes, input.data(), input.size(), output.data(), output.size(), k,
                           key.size());
  } else {
    ptrdiff_t n = DecryptBlocks(kCipherModeDes, input.data(), input.size(), output.data(), output.size(), k,
                                key.size());
    const size_t whole = input.size() - input.size() % 8;
    if (whole < 8) return Fail("'" + args[2] + "' holds no whole 8-byte block");
    if (output[whole - 1] > 7 || n < 0)
      return Fail("'" + args[2] + "' does not decipher with this key (or is damaged)");
    length = size_t(n);
  }
  std::string bytes(output.begin(), output.begin() + ptrdiff_t(length));
  if (!WriteFileAtomically(args[3], bytes)) return Fail("cannot write '" + args[3] + "'");
  return 0;
}

const GlobbetToolCommand kCipher("cipher", "encipher or decipher bytes with the game's block cipher", kUsage,
                                 &Run);
}  // namespace
