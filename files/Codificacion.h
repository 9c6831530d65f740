#pragma once
// Text encodings of the files: the core keeps UTF-8, the files are written in
// Windows-1252. Files written elsewhere may be either, so reading guesses.

#include <optional>
#include <string>
#include <string_view>

namespace vortena {

// UTF-8 to Windows-1252; a character the code page lacks becomes '?'.
std::string Utf8A1252(std::string_view utf8);
// Windows-1252 to UTF-8. The five bytes the code page leaves undefined map to
// the C1 controls of the same value, so every byte survives a round trip.
std::string W1252AUtf8(std::string_view bytes);
bool EsUtf8Valido(std::string_view bytes);
// The first character of UTF-8 text that Windows-1252 cannot hold (an invalid
// sequence counts as U+FFFD), or none when the whole text fits.
std::optional<char32_t> PrimerCaracterNo1252(std::string_view utf8);
// One character as UTF-8, for messages that name it.
std::string CaracterUtf8(char32_t c);
// The text of a file: UTF-8 when the bytes are valid UTF-8 (a leading BOM is
// dropped), Windows-1252 otherwise.
std::string DecodificarArchivo(std::string_view bytes);
// The same text without a copy when the bytes already are UTF-8: a view into
// `bytes`, or into `almacen` when they had to be converted.
std::string_view DecodificarArchivo(std::string_view bytes, std::string& almacen);

}  // namespace vortena
