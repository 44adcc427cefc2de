#pragma once
#include <cstddef>

// The launcher's pictures, as committed under assets/ and compiled into the program.
struct EmbeddedPicture {
  const unsigned char* Data;
  std::size_t Size;
};

extern const EmbeddedPicture BackgroundPng;  // 1114 x 785, with alpha
extern const EmbeddedPicture FamilyLogoJpeg; // 339 x 123
extern const EmbeddedPicture PhotographJpeg; // 302 x 184
extern const EmbeddedPicture IconPng;        // 64 x 64
