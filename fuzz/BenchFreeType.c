/* Native peer of the font readers' benchmark: FreeType opens every face of every font file
   named on standard input (one path a line) and reads its names, as the readers do. */
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TYPE1_TABLES_H

#include <stdio.h>
#include <string.h>

static size_t ReadNames(FT_Face face)
{
    size_t found = 0;
    if (face->family_name)
        found += strlen(face->family_name);
    if (face->style_name)
        found += strlen(face->style_name);
    const char* ps = FT_Get_Postscript_Name(face);
    if (ps)
        found += strlen(ps);
    if (FT_IS_SFNT(face)) {
        FT_UInt n = FT_Get_Sfnt_Name_Count(face);
        for (FT_UInt i = 0; i < n; ++i) {
            FT_SfntName name;
            if (FT_Get_Sfnt_Name(face, i, &name) == 0)
                found += name.string_len;
        }
    } else {
        PS_FontInfoRec info;
        if (FT_Get_PS_Font_Info(face, &info) == 0) {
            if (info.version)
                found += strlen(info.version);
            if (info.notice)
                found += strlen(info.notice);
            if (info.weight)
                found += strlen(info.weight);
        }
    }
    return found;
}

int main(void)
{
    FT_Library lib;
    if (FT_Init_FreeType(&lib))
        return 1;
    char path[4096];
    size_t files = 0, faces = 0, found = 0;
    while (fgets(path, sizeof path, stdin)) {
        path[strcspn(path, "\n")] = 0;
        if (!*path)
            continue;
        ++files;
        FT_Long count = 1;
        for (FT_Long i = 0; i < count; ++i) {
            FT_Face face;
            if (FT_New_Face(lib, path, i, &face))
                break;
            count = face->num_faces;
            ++faces;
            found += ReadNames(face);
            FT_Done_Face(face);
        }
    }
    FT_Done_FreeType(lib);
    printf("%zu %zu %zu\n", files, faces, found);
    return 0;
}
