// Small, bounded readers for the text the spotlight is given: scenario lines
// and input-box answers. They never read past the terminating zero and never
// write beyond the buffers they are handed, and they build on every platform
// the module is built for.
#ifndef BEAMWICK2_TEXTFIELDS_H
#define BEAMWICK2_TEXTFIELDS_H

#include <cstddef>

namespace spot {

// True when the first n characters of text equal those of key, ignoring
// case; a text that ends early matches only if key ends there too.
bool SameKeyNoCase(const char *text, const char *key, std::size_t n);

// Reads the next number from *cursor (leading blanks skipped) and moves the
// cursor past it. False, with the cursor left alone, when none is there.
bool NextDouble(const char **cursor, double *value);

// The same for a decimal integer. A number too large for long long reads as
// the nearest of its limits, so the caller's range check refuses it.
bool NextInteger(const char **cursor, long long *value);

// Copies the first blank-delimited word of text into word (capacity bytes,
// room for the zero included) and moves the cursor past it. False when the
// text holds no word or the word does not fit.
bool NextWord(const char **cursor, char *word, std::size_t capacity);

}  // namespace spot

#endif  // BEAMWICK2_TEXTFIELDS_H
