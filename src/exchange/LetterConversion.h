// The ten Slovenian letters in the older byte spellings that exchange files
// use, and the converter between those spellings.
#pragma once

#include <QByteArray>
#include <array>
#include <optional>

namespace gibomer {

// One spelling: the bytes of č Č Š š ž Ž ć Ć đ Đ, in this order.
using LetterVariant = std::array<unsigned char, 10>;

// The row of a known variant number (0, 100, 400, 437, 850, 851, 852, 859,
// 1060, 1070, 1080, 1090, 1250); nullopt for any other number.
std::optional<LetterVariant> letterVariant(int number);

// Each byte found in the `from` row (first position wins) becomes the byte at
// the same position of the `to` row; other bytes stay. An unknown variant
// number on either side leaves the text unchanged.
QByteArray ConvertSlovenianLetters(int from, int to, const QByteArray& text);

} // namespace gibomer
