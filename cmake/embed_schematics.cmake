# Writes OUTPUT, a C++ source that holds the stage schematics of the report as byte arrays.
# Run with cmake -P. PICTURES lists "file:ENUMERATOR" pairs separated by commas, in the order
# of vx::SchematicPicture; each file is ASSET_DIR/file.png.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "," ";" pictures "${PICTURES}")
list(LENGTH pictures count)
set(arrays "")
set(checks "")
set(spans "")
set(index 0)
foreach(picture IN LISTS pictures)
    string(REPLACE ":" ";" parts "${picture}")
    list(GET parts 0 name)
    list(GET parts 1 enumerator)
    file(READ "${ASSET_DIR}/${name}.png" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],))"
           "\\1\n    " bytes "${bytes}")
    string(APPEND arrays "const unsigned char k_${name}[] = {\n    ${bytes}\n};\n")
    string(APPEND checks "static_assert(static_cast<int>(SchematicPicture::${enumerator}) == ${index});\n")
    string(APPEND spans "    std::span<const unsigned char>(k_${name}),\n")
    math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUTPUT}.new" "// Written by cmake/embed_schematics.cmake from assets/schematics/*.png.
#include \"report/schematic_png_data.h\"

namespace vx {
namespace {

${arrays}
}  // namespace

// The table follows the order of SchematicPicture.
static_assert(${count} == kSchematicPictureCount);
${checks}
const std::array<std::span<const unsigned char>, kSchematicPictureCount> kSchematicPngs = {
${spans}};

}  // namespace vx
")
# Only a changed source is rebuilt.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
