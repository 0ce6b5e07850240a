// The live token values computed from the host's records and the clocks, and their application
// to the rows of a page with the per-row cache.
#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "fake_host.h"
#include "platform/platform.h"
#include "tokens/token_table.h"
#include "work_folder.h"

namespace vantor {
namespace {

using test::FakeHost;
using test::WorkFolder;

struct NamedCamera {
    HostWord SceneContext::*field;
    const char* name;
};

// The order in which the handles are compared.
const NamedCamera kCameraOrder[] = {{&SceneContext::bottomCamera, "Bottom"},
                                    {&SceneContext::mainPerspectiveCamera, "Main Perspective"},
                                    {&SceneContext::topCamera, "Top"},
                                    {&SceneContext::backCamera, "Back"},
                                    {&SceneContext::frontCamera, "Front"},
                                    {&SceneContext::leftCamera, "Left"},
                                    {&SceneContext::rightCamera, "Right"}};

struct Frame {
    TokenTable table;
    HostWord cachedCamera = 0;
    std::uint32_t startTick = 1000;
    std::uint32_t nowTick = 1000;
    std::int64_t now = 1709186703;  // 2024-02-29 06:05:03 UTC
    std::uint32_t framesPerSecond = 0;

    void update(const FakeHost& host) { update(&host.scene, &host.services); }
    void update(const SceneContext* scene, const HostServices* services) {
        updateTokenValues(table, cachedCamera,
                          {scene, services, startTick, nowTick, now, framesPerSecond});
    }
    const char* value(Token token) const { return table.values[token]; }
};

// Each camera's handle names it, also when a camera later in the order has the same handle.
TEST(CameraName, EachHandleNamesTheFirstCameraInOrderWithItElseFreeOrtho) {
    constexpr int n = sizeof kCameraOrder / sizeof kCameraOrder[0];
    for (int first = 0; first < n; ++first) {
        for (int later = first; later < n; ++later) {
            FakeHost host;
            host.scene.*kCameraOrder[later].field = host.scene.*kCameraOrder[first].field;
            host.view.camera = host.scene.*kCameraOrder[first].field;
            Frame frame;
            frame.update(host);
            EXPECT_STREQ(frame.value(kCameraNameToken), kCameraOrder[first].name)
                << kCameraOrder[first].name << " = " << kCameraOrder[later].name;
        }
    }
    for (HostWord handle : {HostWord{999}, FakeHost().scene.unused36}) {
        FakeHost host;
        host.view.camera = handle;
        Frame frame;
        frame.update(host);
        EXPECT_STREQ(frame.value(kCameraNameToken), "Free Ortho") << handle;
    }
}

TEST(CameraName, HandleZeroOnTheFirstFrameLeavesTheValueEmpty) {
    FakeHost host;
    host.scene.bottomCamera = 0;
    host.view.camera = 0;
    Frame frame;
    frame.update(host);
    EXPECT_STREQ(frame.value(kCameraNameToken), "");

    host.view.camera = host.scene.leftCamera;
    frame.update(host);
    EXPECT_STREQ(frame.value(kCameraNameToken), "Left");
    host.view.camera = 0;
    frame.update(host);
    EXPECT_STREQ(frame.value(kCameraNameToken), "Bottom");
}

TEST(CameraName, RecomputedOnlyWhenTheActiveCameraChanges) {
    FakeHost host;
    const HostWord top = host.scene.topCamera;
    host.view.camera = top;
    Frame frame;
    frame.update(host);
    ASSERT_STREQ(frame.value(kCameraNameToken), "Top");

    host.scene.topCamera = 300;  // the old handle no longer names a camera, but it is cached
    frame.update(host);
    EXPECT_STREQ(frame.value(kCameraNameToken), "Top");

    host.view.camera = 999;
    frame.update(host);
    EXPECT_STREQ(frame.value(kCameraNameToken), "Free Ortho");
    host.view.camera = top;
    frame.update(host);
    EXPECT_STREQ(frame.value(kCameraNameToken), "Free Ortho");
    host.view.camera = 300;
    frame.update(host);
    EXPECT_STREQ(frame.value(kCameraNameToken), "Top");
}

// Only the list of the current mode is read: the other two point at memory that faults when read.
struct ModeCase {
    std::int32_t mode;
    const char* faces;
    const char* edges;
    const char* vertices;
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << "mode " << c.mode; }

class SelectionCounts : public testing::TestWithParam<ModeCase> {
protected:
    void SetUp() override {
        poisoned_ = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(poisoned_, MAP_FAILED);
    }
    void TearDown() override {
        if (poisoned_ != MAP_FAILED) munmap(poisoned_, 4096);
    }
    const SelectionList* poisoned() const { return static_cast<const SelectionList*>(poisoned_); }

private:
    void* poisoned_ = MAP_FAILED;
};

TEST_P(SelectionCounts, OnlyTheListOfTheModeIsCounted) {
    const ModeCase& c = GetParam();
    FakeHost host;
    host.faces.count = 3;
    host.edges.count = 12;
    host.vertices.count = 2147483647;
    if (c.mode != kFaceSelection) host.scene.selectedFaces = poisoned();
    if (c.mode != kEdgeSelection) host.scene.selectedEdges = poisoned();
    if (c.mode != kVertexSelection) host.scene.selectedVertices = poisoned();
    FakeHost::mode = c.mode;
    Frame frame;
    frame.update(host);
    EXPECT_STREQ(frame.value(kSelFacesToken), c.faces);
    EXPECT_STREQ(frame.value(kSelEdgesToken), c.edges);
    EXPECT_STREQ(frame.value(kSelVerticesToken), c.vertices);
    EXPECT_EQ(FakeHost::modeCalls, 3);  // asked once for each count
}

INSTANTIATE_TEST_SUITE_P(Modes, SelectionCounts,
                         testing::Values(ModeCase{kFaceSelection, "3", "0", "0"},
                                         ModeCase{kEdgeSelection, "0", "12", "0"},
                                         ModeCase{kVertexSelection, "0", "0", "2147483647"},
                                         ModeCase{3, "0", "0", "0"}, ModeCase{-1, "0", "0", "0"}));

// The frame rate from the ticks of the drawing calls since the last build: each span of calls is a
// count and the ticks between them.
TEST(FramesPerSecond, CountsTheCallsOfTheLastWholeSecond) {
    const struct {
        const char* name;
        std::uint32_t buildTick;
        std::vector<std::pair<int, std::uint32_t>> spans;
        const char* value;
    } cases[] = {
        {"no call yet", 1000, {}, "0"},
        {"under a second", 1000, {{49, 20}}, "0"},
        {"one second", 1000, {{50, 20}}, "50"},
        {"rounded over a longer span", 1000, {{31, 33}}, "30"},
        {"the last span only", 1000, {{50, 20}, {100, 10}}, "100"},
        {"a span not yet ended keeps the last", 1000, {{50, 20}, {99, 10}}, "50"},
        {"across the tick wrap", 0xFFFFFF00u, {{100, 10}}, "100"},
        {"a long pause", 1000, {{1, 3000}, {1, 4000000000u}}, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FrameRate rate;
        rate.countFrame(c.buildTick + 5000);  // calls before the build do not count
        rate.restart(c.buildTick);
        std::uint32_t tick = c.buildTick;
        for (const auto& [calls, step] : c.spans) {
            for (int i = 0; i < calls; ++i) rate.countFrame(tick += step);
        }
        FakeHost host;
        Frame frame;
        frame.framesPerSecond = rate.perSecond;
        frame.update(host);
        EXPECT_STREQ(frame.value(kFpsToken), c.value);
    }
}

// Date and time are local, exact under a fixed-offset zone; the elapsed time counts from the start
// tick.
class ZoneTest : public testing::Test {
protected:
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        hadZone_ = zone != nullptr;
        if (hadZone_) savedZone_ = zone;
    }
    void TearDown() override {
        if (hadZone_) {
            setenv("TZ", savedZone_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        platform::refreshTimeZone();
    }
    static void useZone(const char* zone) {
        setenv("TZ", zone, 1);
        platform::refreshTimeZone();
    }

private:
    bool hadZone_ = false;
    std::string savedZone_;
};

TEST_F(ZoneTest, DateTimeAndElapsedFromTheClocks) {
    const struct {
        const char* zone;
        std::int64_t now;
        const char* date;
        const char* time;
        std::uint32_t startTick, nowTick;
        const char* elapsed;
    } cases[] = {
        {"UTC0", 0, "1970-01-01", "00:00:00", 5000, 5000, "00:00:00"},
        // 2024-02-29 06:05:03 UTC
        {"XYZ-3", 1709186703, "2024-02-29", "09:05:03", 5000, 5999, "00:00:00"},
        // 2023-12-31 22:30:00 UTC
        {"XYZ-3", 1704061800, "2024-01-01", "01:30:00", 1000, 1000 + 3725000, "01:02:05"},
        // 2024-01-01 03:00:00 UTC
        {"XYZ+5", 1704078000, "2023-12-31", "22:00:00", 0, 360000000, "100:00:00"},
        // 1999-12-31 23:59:59 UTC; the tick counter wrapped past 2^32 between the start and now
        {"XYZ-5:45", 946684799, "2000-01-01", "05:44:59", 0xFFFFF000u, 3725000u - 0x1000u,
         "01:02:05"},
        {"UTC0", 0, "1970-01-01", "00:00:00", 1, 0, "1193:02:47"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " at " + std::to_string(c.now));
        useZone(c.zone);
        FakeHost host;
        Frame frame;
        frame.now = c.now;
        frame.startTick = c.startTick;
        frame.nowTick = c.nowTick;
        frame.update(host);
        EXPECT_STREQ(frame.value(kCurDateToken), c.date);
        EXPECT_STREQ(frame.value(kCurTimeToken), c.time);
        EXPECT_STREQ(frame.value(kElapsedToken), c.elapsed);
    }
}

TEST_F(ZoneTest, UnconvertibleTimeLeavesDateAndTime) {
    useZone("XYZ-3");
    FakeHost host;
    Frame frame;
    frame.update(host);
    ASSERT_STREQ(frame.value(kCurTimeToken), "09:05:03");
    frame.now = std::numeric_limits<std::int64_t>::max();
    frame.nowTick += 2000;
    frame.update(host);
    EXPECT_STREQ(frame.value(kCurDateToken), "2024-02-29");
    EXPECT_STREQ(frame.value(kCurTimeToken), "09:05:03");
    EXPECT_STREQ(frame.value(kElapsedToken), "00:00:02");  // the rest is still updated
}

// Missing host data: the camera keeps its last name, counts that cannot be read are "0", the
// clocks are still read.
struct MissingCase {
    const char* name;
    std::int32_t mode;
    void (*breakHost)(FakeHost& host, const SceneContext*& scene, const HostServices*& services);
    const char* camera;
    const char* faces;
    const char* edges;
    const char* vertices;
};

void PrintTo(const MissingCase& c, std::ostream* os) { *os << c.name; }

class MissingHostData : public testing::TestWithParam<MissingCase> {};

TEST_P(MissingHostData, KeepsTheCameraAndCountsZero) {
    const MissingCase& c = GetParam();
    FakeHost host;
    host.view.camera = host.scene.topCamera;
    host.faces.count = 3;
    host.edges.count = 12;
    host.vertices.count = 7;
    FakeHost::mode = c.mode;
    Frame frame;
    frame.update(host);
    ASSERT_STREQ(frame.value(kCameraNameToken), "Top");

    const SceneContext* scene = &host.scene;
    const HostServices* services = &host.services;
    c.breakHost(host, scene, services);
    host.view.camera = host.scene.leftCamera;  // seen only where the path to it is whole
    frame.nowTick += 3725000;
    frame.update(scene, services);
    EXPECT_STREQ(frame.value(kCameraNameToken), c.camera);
    EXPECT_STREQ(frame.value(kSelFacesToken), c.faces);
    EXPECT_STREQ(frame.value(kSelEdgesToken), c.edges);
    EXPECT_STREQ(frame.value(kSelVerticesToken), c.vertices);
    EXPECT_STREQ(frame.value(kElapsedToken), "01:02:05");
}

using Scene = const SceneContext*&;
using Services = const HostServices*&;

INSTANTIATE_TEST_SUITE_P(
    Records, MissingHostData,
    testing::Values(
        MissingCase{"NullScene", kFaceSelection, [](FakeHost&, Scene s, Services) { s = nullptr; },
                    "Top", "0", "0", "0"},
        MissingCase{"NullViewSlot", kFaceSelection,
                    [](FakeHost& h, Scene, Services) { h.scene.activeViewSlot = nullptr; }, "Top",
                    "3", "0", "0"},
        MissingCase{"NullActiveView", kEdgeSelection,
                    [](FakeHost& h, Scene, Services) { h.slot = nullptr; }, "Top", "0", "12", "0"},
        MissingCase{"NullFaceList", kFaceSelection,
                    [](FakeHost& h, Scene, Services) { h.scene.selectedFaces = nullptr; }, "Left",
                    "0", "0", "0"},
        MissingCase{"NullEdgeList", kEdgeSelection,
                    [](FakeHost& h, Scene, Services) { h.scene.selectedEdges = nullptr; }, "Left",
                    "0", "0", "0"},
        MissingCase{"NullVertexList", kVertexSelection,
                    [](FakeHost& h, Scene, Services) { h.scene.selectedVertices = nullptr; },
                    "Left", "0", "0", "0"},
        MissingCase{"NullServices", kFaceSelection,
                    [](FakeHost&, Scene, Services s) { s = nullptr; }, "Left", "0", "0", "0"},
        MissingCase{"NullSelectionModeEntry", kFaceSelection,
                    [](FakeHost& h, Scene, Services) { h.services.selectionMode = nullptr; },
                    "Left", "0", "0", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

// Applying the tokens to rows of a loaded page, frame after frame.
struct Values {
    const char* camera;
    const char* time;
    const char* faces;
    const char* fps;
};

void setValues(TokenTable& table, const Values& v) {
    const char* values[] = {v.camera, "2024-02-29", v.time, "01:02:05", v.faces, "12", "7", v.fps};
    for (int i = 0; i < kTokenCount; ++i)
        std::snprintf(table.values[i], kTextSize, "%s", values[i]);
}

const Values kFrame1{"Top", "09:05:03", "3", "60"};
const Values kFrame2{"Left", "09:05:04", "4", "59"};

struct RowCase {
    const char* name;
    const char* row;
    const char* frame1;
    const char* frame2;
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

class RowDrawing : public testing::Test {
protected:
    // Draws row 0 as the HUD does: a fresh copy of the row's text, then the tokens.
    std::string draw() {
        store->selectRow(0);
        std::memset(line, '#', sizeof line);
        const char* text = store->getRowText();
        std::memcpy(line, text, std::strlen(text) + 1);
        applyTokens(*store, table, line);
        return line;
    }

    std::unique_ptr<PageStore> store = std::make_unique<PageStore>();
    TokenTable table;
    char line[kLineSize];
};

class ApplyTokens : public RowDrawing, public testing::WithParamInterface<RowCase> {};

TEST_P(ApplyTokens, RowIsSubstitutedOnEveryFrame) {
    const RowCase& c = GetParam();
    const WorkFolder dir(test::iniWithPage({c.row}));
    ASSERT_TRUE(test::loadFirstPage(*store));
    setValues(table, kFrame1);
    EXPECT_EQ(draw(), c.frame1);
    setValues(table, kFrame2);
    EXPECT_EQ(draw(), c.frame2);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ApplyTokens,
    testing::Values(
        RowCase{"Faces", "Faces: *SEL_FACES*", "Faces: 3", "Faces: 4"},
        RowCase{"FrameRate", "*SEL_FACES* at *FPS* fps", "3 at 60 fps", "4 at 59 fps"},
        RowCase{"TimeTwiceWithTextBetween", "*CUR_TIME* to *CUR_TIME*", "09:05:03 to 09:05:03",
                "09:05:04 to 09:05:04"},
        RowCase{"TimeTwiceAdjacent", "*CUR_TIME**CUR_TIME*", "09:05:03*CUR_TIME*",
                "09:05:04*CUR_TIME*"},
        // each token has its own pass, so different tokens side by side are all replaced
        RowCase{"AllSevenAdjacent",
                "*CAMERA_NAME**CUR_DATE**CUR_TIME**ELAPSED**SEL_FACES**SEL_EDGES**SEL_VERTICES*",
                "Top2024-02-2909:05:0301:02:053127", "Left2024-02-2909:05:0401:02:054127"},
        RowCase{"NearMissesOnly", "*cur_time* **CUR_TIME*", "*cur_time* **CUR_TIME*",
                "*cur_time* **CUR_TIME*"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RowDrawing, RowWithoutTokensIsNeverScannedAgain) {
    const WorkFolder dir(test::iniWithPage({"plain text"}));
    ASSERT_TRUE(test::loadFirstPage(*store));
    setValues(table, kFrame1);
    EXPECT_EQ(draw(), "plain text");

    // Were the line scanned, the token put into it now would be replaced.
    std::memcpy(line, "*CUR_TIME*", 11);
    applyTokens(*store, table, line);
    EXPECT_STREQ(line, "*CUR_TIME*");
}

TEST_F(RowDrawing, LaterPassScansAnEarlierValue) {
    const WorkFolder dir(test::iniWithPage({"[*CAMERA_NAME*]"}));
    ASSERT_TRUE(test::loadFirstPage(*store));
    setValues(table, kFrame1);
    std::snprintf(table.values[kCameraNameToken], kTextSize, "cam *SEL_EDGES*");
    EXPECT_EQ(draw(), "[cam 12]");
}

}  // namespace
}  // namespace vantor
