#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "scene/ObjLoader.h"
#include "scene/Object3D.h"

using namespace zarnhold;

namespace {

const char* const kUnreadable =
    "File can't be read by our simple parser : ( Try exporting with other options\n";

const char* const kOneTriangle =
    "v 1 2 3\n"
    "v 4 5 6\n"
    "v 7 8 9\n"
    "vt 0.1 0.2\n"
    "vt 0.3 0.4\n"
    "vt 0.5 0.6\n"
    "vn 0 0 1\n"
    "vn 0 1 0\n"
    "vn 1 0 0\n"
    "f 1/1/1 2/2/2 3/3/3\n";

struct Parsed {
    bool ok = false;
    std::string printed;
    std::vector<Triangle> triangles;
};

// Parses `text` as a file, appending to `triangles`, and captures what is printed.
Parsed parse(const std::string& text, std::vector<Triangle> triangles = {}) {
    Parsed result;
    result.triangles = std::move(triangles);
    std::string buffer = text;
    // fmemopen cannot open an empty buffer portably; a single space reads the same.
    if (buffer.empty()) {
        buffer = " ";
    }
    std::FILE* file = fmemopen(buffer.data(), buffer.size(), "r");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) {
        return result;
    }
    testing::internal::CaptureStdout();
    result.ok = parseObj(file, result.triangles);
    result.printed = testing::internal::GetCapturedStdout();
    std::fclose(file);
    return result;
}

Triangle marker() {
    Triangle t;
    t.positions[0] = glm::vec3(-42.0f);
    return t;
}

// A file in a fresh temporary folder, removed with the object.
class TempFile {
public:
    explicit TempFile(const std::string& contents) {
        char folderTemplate[] = "/tmp/zarnhold-obj-XXXXXX";
        folder = mkdtemp(folderTemplate);
        path = folder + "/model.obj";
        std::ofstream(path) << contents;
    }
    ~TempFile() {
        std::remove(path.c_str());
        rmdir(folder.c_str());
    }
    std::string folder;
    std::string path;
};

}  // namespace

TEST(ParseObj, OneFaceTakesItsCornersFromTheFirstEntriesOfEachList) {
    const Parsed p = parse(kOneTriangle);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.printed, "");
    ASSERT_EQ(p.triangles.size(), 1u);
    const Triangle& t = p.triangles[0];
    EXPECT_EQ(t.positions[0], glm::vec3(1, 2, 3));
    EXPECT_EQ(t.positions[1], glm::vec3(4, 5, 6));
    EXPECT_EQ(t.positions[2], glm::vec3(7, 8, 9));
    EXPECT_EQ(t.uvs[0], glm::vec2(0.1f, 0.2f));
    EXPECT_EQ(t.uvs[1], glm::vec2(0.3f, 0.4f));
    EXPECT_EQ(t.uvs[2], glm::vec2(0.5f, 0.6f));
    EXPECT_EQ(t.normals[0], glm::vec3(0, 0, 1));
    EXPECT_EQ(t.normals[1], glm::vec3(0, 1, 0));
    EXPECT_EQ(t.normals[2], glm::vec3(1, 0, 0));
}

TEST(ParseObj, FacesResolveAfterTheWholeFileAndFollowEachOtherInFileOrder) {
    const Parsed p = parse(
        "f 3/2/1 2/1/1 1/2/1\n"
        "f 1/1/1 2/2/1 3/1/1\n"
        "v 0 0 0\nv 1 0 0\nv 0 1 0\n"
        "vt 0 0\nvt 1 1\n"
        "vn 0 0 -2\n");
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.triangles.size(), 2u);
    EXPECT_EQ(p.triangles[0].positions[0], glm::vec3(0, 1, 0));
    EXPECT_EQ(p.triangles[0].uvs[0], glm::vec2(1, 1));
    EXPECT_EQ(p.triangles[1].positions[0], glm::vec3(0, 0, 0));
    // Normals are kept as written, not normalised.
    EXPECT_EQ(p.triangles[1].normals[2], glm::vec3(0, 0, -2));
}

TEST(ParseObj, ReadsWordByWordSoCommentsAndExtraValuesAreSkippedButKeywordsInsideThemCount) {
    const Parsed p = parse(
        "# exported model\n"
        "mtllib model.mtl\no Cube\ng body\ns off\nusemtl stone\n"
        "# a comment naming v 7 8 9\n"
        "v 1 0 0\nv 0 1 0\n"
        "vt 0.5 0.25 0.75\n"
        "vn 0 0 1\n"
        "f 1/1/1 2/1/1 3/1/1 1/1/1\n");
    ASSERT_TRUE(p.ok) << p.printed;
    ASSERT_EQ(p.triangles.size(), 1u);
    const Triangle& t = p.triangles[0];
    EXPECT_EQ(t.positions[0], glm::vec3(7, 8, 9));
    EXPECT_EQ(t.positions[1], glm::vec3(1, 0, 0));
    EXPECT_EQ(t.positions[2], glm::vec3(0, 1, 0));
    // The third texture component is an ignored word; v is not flipped.
    EXPECT_EQ(t.uvs[0], glm::vec2(0.5f, 0.25f));
}

TEST(ParseObj, AnEmptyFileGivesNothing) {
    const Parsed p = parse("");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.printed, "");
    EXPECT_TRUE(p.triangles.empty());
    const Parsed blank = parse("\n\n   \n");
    EXPECT_TRUE(blank.ok);
    EXPECT_TRUE(blank.triangles.empty());
}

TEST(ParseObj, FaceWithoutThreeFullTriplesRejectsTheWholeFile) {
    for (const char* face : {"f 1//1 2//2 3//3\n", "f 1 2 3\n", "f 1/1/1 2/2/2\n", "f\n"}) {
        const Parsed p = parse(std::string(kOneTriangle) + face, {marker()});
        EXPECT_FALSE(p.ok) << face;
        EXPECT_EQ(p.printed, kUnreadable) << face;
        // The good face before it does not get through either.
        ASSERT_EQ(p.triangles.size(), 1u) << face;
        EXPECT_EQ(p.triangles[0].positions[0], glm::vec3(-42.0f)) << face;
    }
}

TEST(ParseObj, IndicesThatNameNoEntryRejectTheWholeFile) {
    const char* const faces[] = {
        "f 0/1/1 2/2/2 3/3/3\n",          "f 1/1/1 4/2/2 3/3/3\n",           "f -1/1/1 2/2/2 3/3/3\n",
        "f 1/0/1 2/2/2 3/3/3\n",          "f 1/1/1 2/4/2 3/3/3\n",           "f 1/1/1 2/-3/2 3/3/3\n",
        "f 1/1/0 2/2/2 3/3/3\n",          "f 1/1/1 2/2/2 3/3/4\n",           "f 1/1/1 2/2/-1 3/3/3\n",
        "f 1/1/1 2/2/2 3/3/2147483647\n", "f 1/1/1 2/2/2 -2147483647/3/3\n",
    };
    for (const char* face : faces) {
        const Parsed p = parse(std::string(kOneTriangle) + face, {marker()});
        EXPECT_FALSE(p.ok) << face;
        EXPECT_EQ(p.printed, kUnreadable) << face;
        EXPECT_EQ(p.triangles.size(), 1u) << face;
    }
}

TEST(ParseObj, WordsLongerThanTheBufferAreSkippedWhole) {
    // Whole multiples of 127 characters then a keyword letter: read in pieces, the tail
    // would become the word "v" or "f".
    const std::string longV(127, 'a');
    const std::string text = longV + "v 5 5 5\n" + std::string(3 * 127, 'b') + "f\n" + "#" +
                             std::string(300, 'c') + "\n" + kOneTriangle;
    const Parsed p = parse(text);
    ASSERT_TRUE(p.ok) << p.printed;
    ASSERT_EQ(p.triangles.size(), 1u);
    EXPECT_EQ(p.triangles[0].positions[0], glm::vec3(1, 2, 3));
}

TEST(ReadObjModel, AppendsTheFileToTheObjectAndMarksItAsACaster) {
    const TempFile file(kOneTriangle);
    Object3D object;
    ASSERT_TRUE(readObjModel(object, file.path));
    EXPECT_TRUE(object.castsShadow);
    ASSERT_EQ(object.triangles.size(), 1u);
    EXPECT_EQ(object.triangles[0].positions[2], glm::vec3(7, 8, 9));
    // Reading again appends: the list doubles.
    ASSERT_TRUE(readObjModel(object, file.path));
    EXPECT_EQ(object.triangles.size(), 2u);
}

TEST(ReadObjModel, OpensGamePathsWrittenWithBackslashes) {
    const TempFile file(kOneTriangle);
    std::string gamePath = file.folder + "\\model.obj";
    Object3D object;
    EXPECT_TRUE(readObjModel(object, gamePath));
    EXPECT_EQ(object.triangles.size(), 1u);
}

TEST(ReadObjModel, FailuresPrintTheirLineAndLeaveTheTrianglesAlone) {
    Object3D object;
    object.addTriangle(marker());

    testing::internal::CaptureStdout();
    EXPECT_FALSE(readObjModel(object, "External\\Models\\no-such-model.obj"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Impossible to open the file ! External/Models/no-such-model.obj\n");
    EXPECT_TRUE(object.castsShadow);
    EXPECT_EQ(object.triangles.size(), 1u);

    object.castsShadow = false;
    const TempFile bad(std::string(kOneTriangle) + "f 1//1 2//2 3//3\n");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(readObjModel(object, bad.path));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), kUnreadable);
    EXPECT_TRUE(object.castsShadow);
    ASSERT_EQ(object.triangles.size(), 1u);
    EXPECT_EQ(object.triangles[0].positions[0], glm::vec3(-42.0f));
}
