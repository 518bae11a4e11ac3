// Splitting a writable text into pieces without copying: each piece ends
// where its separator was, which is overwritten with a NUL. Settings files,
// paths, locale names and host names are cut up this way.
#pragma once

namespace plat {

class SplitterInPlace {
 public:
  explicit SplitterInPlace(char* text) : rest_(text) {}

  // Each call returns the next piece, or null once the text is used up.
  // A text with n separators gives n + 1 pieces, empty ones included.
  char* next(char sep);
  // Any character of seps separates; *found (when given) receives the one
  // that ended the piece, or NUL when the piece is the last.
  char* nextOneOf(const char* seps, char* found = nullptr);
  // The separator is a whole string; the rest moves past all of it.
  char* nextString(const char* sep);
  // Cuts at the last sep: returns what follows it and keeps what precedes
  // it as the rest.
  char* last(char sep);

  // What is still to be split; null once the text is used up.
  char* rest() const { return rest_; }

 private:
  // Ends the current piece at cut (null: no separator) and moves the rest
  // skip bytes past it.
  char* take(char* cut, int skip);

  char* rest_;
};

}  // namespace plat
