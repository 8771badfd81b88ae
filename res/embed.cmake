# Turns a file into a C++ source holding its bytes: cmake -DIN=... -DOUT=... -DNAME=... -P embed.cmake
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" len)
math(EXPR size "${len} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUT}" "#include <cstddef>\n#include <cstdint>\n#include <span>\nnamespace pindrel::res {\nnamespace {\nconst uint8_t kData[] = {\n${bytes}};\n}\nstd::span<const uint8_t> ${NAME}() { return {kData, ${size}}; }\n}\n")
