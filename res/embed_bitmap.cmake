# Turns a .bmp file into a source that registers its device-independent bitmap (the file
# without its 14-byte file header) as a bitmap resource of the module it is linked into.
file(READ "${BMP}" hex HEX)
string(SUBSTRING "${hex}" 28 -1 dib)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${dib}")
file(WRITE "${OUT}" "// Generated from ${BMP}: do not edit.\n#include <windows.h>\n\nnamespace {\n\nconst unsigned char kDib[] = {${bytes}};\n\nstruct Register {\n  Register() { KvRegisterBitmapResource(kDib, ${ID}, kDib, sizeof(kDib)); }\n} registerBitmap;\n\n}  // namespace\n")
