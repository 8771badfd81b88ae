#include "skin/skin_files.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace pindrel {
namespace {

std::vector<std::string> Names(std::string_view ini) {
    test::TempDir dir;
    SkinIniFile file;
    EXPECT_TRUE(file.Load(dir.Write("skin.ini", ini)));
    return SkinBitmapFiles(file);
}

TEST(SkinBitmapFiles, EveryPictureKeyOnceInFileOrder) {
    struct Case {
        const char* name;
        const char* ini;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"none", "[Background Color]\ncolor=1,2,3\n[Label]\nfields=name", {}},
        {"default names only with their sections",
         "[Border Image]\n[Background Image]\ntype=1",
         {"border.bmp", "bgr.bmp"}},
        {"buttons give both pictures",
         "[Button]\nfile_up=u.bmp\nfile_down=d.bmp\n[Button]\nfile_up=u.bmp",
         {"u.bmp", "d.bmp"}},
        {"dropped and repeated elements still named",
         "[Image]\nfile=art/a.bmp\n[Image]\n[Image]\nfile=art/a.bmp\n[Image]\nfile=missing.bmp",
         {"art/a.bmp", "missing.bmp"}},
        {"other sections ignored", "[image]\nfile=x.bmp\n[Photo Rect]\nfile=y.bmp", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Names(c.ini), c.expected);
    }
}

TEST(SkinBitmapFiles, ManyNamesKeepTheirOwnStorage) {
    std::string ini;
    for (int i = 0; i < 200; ++i)
        ini += "[Image]\nfile=picture-with-a-long-name-" + std::to_string(i) + ".bmp\n";
    const std::vector<std::string> names = Names(ini);
    ASSERT_EQ(names.size(), 200u);
    EXPECT_EQ(names[199], "picture-with-a-long-name-199.bmp");
}

} // namespace
} // namespace pindrel
