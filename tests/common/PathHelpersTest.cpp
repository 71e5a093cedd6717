#include <velk/common/PathHelpers.h>

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace velk;

namespace {
QString S(const char *utf8) { return QString::fromUtf8(utf8); }
struct Pair { const char *in, *out; };
}

TEST(PathHelpers, SeparatorsAndAbsolutePaths)
{
    const Pair added[] = {{R"(C:\data)", R"(C:\data\)"}, {R"(C:\data\)", R"(C:\data\)"},
                          {R"(  C:\x  )", R"(C:\x\)"}, {"", ""}, {"   ", ""},
                          {"http://h/a", "http://h/a/"}, {"http://h/a/", "http://h/a/"}};
    for (const Pair &p : added) {
        SCOPED_TRACE(p.in);
        EXPECT_EQ(AddPathSep(S(p.in)), S(p.out));
    }
    const Pair stripped[] = {{R"(C:\)", R"(C:\)"}, {"C:", R"(C:\)"}, {R"(C:\data\)", R"(C:\data)"},
                             {R"(C:\data\\)", R"(C:\data\)"}, {"http://h/", "http://h"}, {"x", "x"}, {"", ""}};
    for (const Pair &p : stripped) {
        SCOPED_TRACE(p.in);
        EXPECT_EQ(StripPathSep(S(p.in)), S(p.out));
    }
    for (const char *absolute : {"C:x", R"(\\srv\share)", "http://x"})
        EXPECT_TRUE(IsAbsolutePath(S(absolute))) << absolute;
    for (const char *relative : {R"(\x)", R"(a\b)", "", "a"})
        EXPECT_FALSE(IsAbsolutePath(S(relative))) << relative;
}

TEST(PathHelpers, CombinePathFoldsDotSteps)
{
    struct Row { const char *base, *rel, *result; };
    const Row rows[] = {
        {R"(C:\a\b)", R"(..\c)", R"(C:\a\c)"},
        {R"(C:\a)", R"(\x)", R"(C:\x)"},
        {"http://h/d/", "x.htm", "http://h/d/x.htm"},
        {"http://h/d/", "../x.htm", "http://h/d/../x.htm"},
        {R"(C:\a)", R"(D:\z )", R"(D:\z)"},
        {R"(  C:\a  )", "  b  ", R"(C:\a\b)"},
        {R"(C:\a)", R"(.\b\.\.\c\.)", R"(C:\a\b\c)"},
        {"", R"(.\.\x)", "x"},
        {R"(C:\a\b\c)", R"(..\..\x)", R"(C:\a\x)"},
        {R"(C:\a)", R"(..\..\..\x)", R"(..\x)"},       // folding stops once the path starts with ".."
        {R"(..\a)", R"(..\b)", R"(..\a\..\b)"},
        {R"(\a)", R"(..\b)", R"(\b)"},
        {"x", R"(\..\y)", R"(..\y)"},
        {R"(a\..\b)", R"(..\c)", "c"},
        {"a", R"(..\  b\..\c)", "c"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.base) + " + " + r.rel);
        EXPECT_EQ(CombinePath(S(r.base), S(r.rel)), S(r.result));
    }
}

TEST(PathHelpers, ParentAndFileName)
{
    struct Row { const char *path, *parent, *name; };
    const Row rows[] = {
        {R"(C:\a\b.txt)", R"(C:\a\)", "b.txt"}, {"b.txt", "", "b.txt"},
        {"http://h/x/y.htm", "http://h/x/", "y.htm"}, {R"( C:\a\b )", R"(C:\a\)", "b"},
        {R"(C:\a\)", R"(C:\a\)", ""}, {"", "", ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.path);
        EXPECT_EQ(ParentPath(S(r.path)), S(r.parent));
        EXPECT_EQ(FileNameOf(S(r.path)), S(r.name));
    }
}

TEST(PathHelpers, FileSystemQueriesTakeBackslashPaths)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = QString(dir.path()).replace(u'/', u'\\') + u'\\';
    auto touch = [&](const char *name) {
        QFile f(dir.filePath(S(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    };
    touch("plain.txt");
    touch(".hidden");
    touch("locked.txt");
    QFile::setPermissions(dir.filePath(S("locked.txt")), QFileDevice::ReadOwner);
    ASSERT_TRUE(QDir(dir.path()).mkdir(S("sub")));

    EXPECT_EQ(NativePath(S(R"(\a\b)")), S("/a/b"));
    struct Row { const char *name; int attr; bool exists; };
    const Row rows[] = {{"plain.txt", 32, true}, {".hidden", 34, true}, {"locked.txt", 33, true},
                        {"sub", 16, false}, {R"(sub\.)", -1, false}, {R"(sub\..)", -1, false},
                        {"missing", -1, false}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(FileAttrOrNone(root + S(r.name)), r.attr);
        EXPECT_EQ(FileExists(root + S(r.name)), r.exists);
    }
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_EQ(FileAttrOrNone(QString()), -1);
}
