# Writes a C++ source that holds a file's bytes as an array, for the platform
# to carry its font faces:
#   cmake -DINPUT=FILE -DOUTPUT=SOURCE -DSYMBOL=NAME -P EmbedFile.cmake
# defines qz370::fonts::NAME (the bytes) and NAME_size in the source.
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUTPUT}
  "// Made at build time from ${INPUT}.\n"
  "#include <cstddef>\n"
  "namespace qz370::fonts {\n"
  "extern const unsigned char ${SYMBOL}[] = {${bytes}};\n"
  "extern const std::size_t ${SYMBOL}_size = sizeof ${SYMBOL};\n"
  "}\n")
