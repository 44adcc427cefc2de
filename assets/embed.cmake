# Writes OUT: one byte array per committed picture of DIR.
set(content "// Generated from the pictures in assets/.\n#include \"EmbeddedArtwork.h\"\n")
foreach(pair "background.png;BackgroundPng" "ImgAldeno1.jpg;FamilyLogoJpeg"
             "ImgAldeno2.jpg;PhotographJpeg" "icon.png;IconPng")
  list(GET pair 0 file)
  list(GET pair 1 name)
  file(READ ${DIR}/${file} hex HEX)
  string(LENGTH "${hex}" length)
  math(EXPR size "${length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND content "static const unsigned char ${name}Data[] = {${bytes}};\n")
  string(APPEND content "const EmbeddedPicture ${name}{${name}Data, ${size}};\n")
endforeach()
file(WRITE ${OUT} "${content}")
