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
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "fake_host.h"
#include "pages/page_store.h"
#include "platform/platform.h"
#include "tokens/token_table.h"
#include "work_folder.h"

namespace vantor {
namespace {

using test::FakeHost;
using test::WorkFolder;

// The order in which the handles are compared.
const struct {
    HostWord SceneContext::*field;
    const char* name;
} kCameraOrder[] = {{&SceneContext::bottomCamera, "Bottom"},
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
    const char* dateFormat = "%Y-%m-%d";
    const char* timeFormat = "%H:%M:%S";
    const platform::ClockNames* names = nullptr;

    void update(const FakeHost& host) { update(&host.scene, &host.services); }
    void update(const SceneContext* scene, const HostServices* services) {
        updateTokenValues(table, cachedCamera,
                          {scene, services, startTick, nowTick, now, framesPerSecond, dateFormat,
                           timeFormat, names});
    }
    const char* value(Token token) const { return table.values[token]; }
};

// Each letter of DATE_FORMAT and TIME_FORMAT on a fixed clock, in UTC, with names given as the
// platform gives them; an unknown letter and a lone '%' as written; a long pattern cut within the
// value's buffer, before a character it cannot hold whole.
TEST(Clocks, EachFormatLetterOnAFixedClock) {
    platform::ClockNames names{};
    const auto name = [](char(&to)[platform::kClockNameSize], const std::string& text) {
        std::snprintf(to, sizeof to, "%s", text.c_str());
    };
    for (int i = 0; i < 12; ++i) {
        name(names.months[i], "Month" + std::to_string(i + 1));
        name(names.shortMonths[i], "M" + std::to_string(i + 1));
    }
    for (int i = 0; i < 7; ++i) {
        name(names.days[i], "Day" + std::to_string(i));
        name(names.shortDays[i], "D" + std::to_string(i));
    }
    name(names.am, "vorm.");
    name(names.pm,
         "n\xC3\xA4"
         "chm.");  // UTF-8, as the platform gives names
    const std::string longPattern = std::string(258, 'x') + "%p";  // 'ä' would end at byte 260
    const struct {
        std::int64_t now;
        const char* pattern;
        std::string expected;
    } cases[] = {
        {1709186703, "%Y|%y|%m|%d|%e", "2024|24|02|29|29"},  // 2024-02-29 06:05:03, a Thursday
        {1709186703, "%H|%I|%M|%S|%p", "06|06|05|03|vorm."},
        {1709186703, "%b|%B|%a|%A", "M2|Month2|D4|Day4"},
        {1704125400, "%e.%m. %I:%M %p",
         " 1.01. 04:10 n\xC3\xA4"
         "chm."},                                           // 2024-01-01 16:10:00
        {0, "%I %p %A %%d %q %", "12 vorm. Day4 %d %q %"},  // 1970-01-01 00:00:00
        {1709186703, "[ %T %F ]", "[ %T %F ]"},
        {1704125400, longPattern.c_str(), std::string(258, 'x') + "n"},
    };
    setenv("TZ", "UTC0", 1);
    platform::refreshTimeZone();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        FakeHost host;
        Frame frame;
        frame.now = c.now;
        frame.names = &names;
        frame.dateFormat = c.pattern;
        frame.timeFormat = c.pattern;
        frame.update(host);
        EXPECT_EQ(frame.value(kCurDateToken), c.expected);
        EXPECT_EQ(frame.value(kCurTimeToken), c.expected);
    }
    unsetenv("TZ");
    platform::refreshTimeZone();
}

// Each camera's handle names it, also when a camera later in the order has the same handle.
TEST(CameraName, EachHandleNamesTheFirstCameraInOrderWithIt) {
    for (const auto& first : kCameraOrder) {
        for (const auto* later = &first; later != std::end(kCameraOrder); ++later) {
            FakeHost host;
            host.scene.*later->field = host.scene.*first.field;
            host.view.camera = host.scene.*first.field;
            Frame frame;
            frame.update(host);
            EXPECT_STREQ(frame.value(kCameraNameToken), first.name) << "= " << later->name;
        }
    }
}

// Frame after frame, with the bottom camera's handle 0 and the top one's changed midway (the fake
// host's top is 0x1002, left 0x1003, and 0x1000 is the unused slot among the cameras): the name
// is recomputed only when the active camera changes, and a handle of no camera is Free Ortho.
TEST(CameraName, FollowsTheActiveCameraFrameByFrame) {
    const struct {
        HostWord view;
        HostWord top;
        const char* name;
    } frames[] = {
        {0, 0x1002, ""},  // 0 is the handle cached before the first frame: no name yet
        {0x1003, 0x1002, "Left"},
        {0, 0x1002, "Bottom"},
        {0x1000, 0x1002, "Free Ortho"},
        {0x1002, 0x1002, "Top"},
        {0x1002, 300, "Top"},  // cached, though the handle no longer
                               // names a camera
        {999, 300, "Free Ortho"},
        {0x1002, 300, "Free Ortho"},
        {300, 300, "Top"},
    };
    FakeHost host;
    host.scene.bottomCamera = 0;
    Frame frame;
    for (const auto& f : frames) {
        host.view.camera = f.view;
        host.scene.topCamera = f.top;
        frame.update(host);
        EXPECT_STREQ(frame.value(kCameraNameToken), f.name)
            << "view " << f.view << " top " << f.top;
    }
}

// Only the list of the current mode is read: the other two point at memory that faults when read.
TEST(SelectionCounts, OnlyTheListOfTheModeIsCounted) {
    void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(page, MAP_FAILED);
    const auto* poisoned = static_cast<const SelectionList*>(page);
    const struct {
        std::int32_t mode;
        const char* faces;
        const char* edges;
        const char* vertices;
    } cases[] = {{kFaceSelection, "3", "0", "0"},
                 {kEdgeSelection, "0", "12", "0"},
                 {kVertexSelection, "0", "0", "2147483647"},
                 {3, "0", "0", "0"},
                 {-1, "0", "0", "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        FakeHost host;
        host.faces.count = 3;
        host.edges.count = 12;
        host.vertices.count = 2147483647;
        if (c.mode != kFaceSelection) host.scene.selectedFaces = poisoned;
        if (c.mode != kEdgeSelection) host.scene.selectedEdges = poisoned;
        if (c.mode != kVertexSelection) host.scene.selectedVertices = poisoned;
        FakeHost::mode = c.mode;
        Frame frame;
        frame.update(host);
        EXPECT_STREQ(frame.value(kSelFacesToken), c.faces);
        EXPECT_STREQ(frame.value(kSelEdgesToken), c.edges);
        EXPECT_STREQ(frame.value(kSelVerticesToken), c.vertices);
        EXPECT_EQ(FakeHost::modeCalls, 3);  // asked once for each count
    }
    munmap(page, 4096);
}

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
// tick. A time that cannot be converted then leaves date and time, and the rest is still updated.
TEST(Clocks, DateTimeAndElapsedFromTheClocks) {
    const char* zone = std::getenv("TZ");
    const std::optional<std::string> saved = zone ? std::optional<std::string>(zone) : std::nullopt;
    const struct {
        const char* zone;
        std::int64_t now;
        const char* date;
        const char* time;
        std::uint32_t startTick, nowTick;
        const char* elapsed;
        const char* twoSecondsLater;
    } cases[] = {
        {"UTC0", 0, "1970-01-01", "00:00:00", 5000, 5000, "00:00:00", "00:00:02"},
        // 2024-02-29 06:05:03 UTC
        {"XYZ-3", 1709186703, "2024-02-29", "09:05:03", 5000, 5999, "00:00:00", "00:00:02"},
        // 2023-12-31 22:30:00 UTC
        {"XYZ-3", 1704061800, "2024-01-01", "01:30:00", 1000, 1000 + 3725000, "01:02:05",
         "01:02:07"},
        // 2024-01-01 03:00:00 UTC
        {"XYZ+5", 1704078000, "2023-12-31", "22:00:00", 0, 360000000, "100:00:00", "100:00:02"},
        // 1999-12-31 23:59:59 UTC; the tick counter wrapped past 2^32 between the start and now
        {"XYZ-5:45", 946684799, "2000-01-01", "05:44:59", 0xFFFFF000u, 3725000u - 0x1000u,
         "01:02:05", "01:02:07"},
        {"UTC0", 0, "1970-01-01", "00:00:00", 1, 0, "1193:02:47", "00:00:01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " at " + std::to_string(c.now));
        setenv("TZ", c.zone, 1);
        platform::refreshTimeZone();
        FakeHost host;
        Frame frame;
        frame.now = c.now;
        frame.startTick = c.startTick;
        frame.nowTick = c.nowTick;
        for (const char* elapsed : {c.elapsed, c.twoSecondsLater}) {
            frame.update(host);
            EXPECT_STREQ(frame.value(kCurDateToken), c.date);
            EXPECT_STREQ(frame.value(kCurTimeToken), c.time);
            EXPECT_STREQ(frame.value(kElapsedToken), elapsed);
            frame.now = std::numeric_limits<std::int64_t>::max();
            frame.nowTick += 2000;
        }
    }
    if (saved) setenv("TZ", saved->c_str(), 1);
    if (!saved) unsetenv("TZ");
    platform::refreshTimeZone();
}

// Missing host data: the camera keeps its last name, counts that cannot be read are "0", the
// clocks are still read.
TEST(MissingHostData, KeepsTheCameraAndCountsZero) {
    using Break =
        void (*)(FakeHost & host, const SceneContext*& scene, const HostServices*& services);
    const struct {
        std::int32_t mode;
        Break breakHost;
        const char* camera;
        const char* counts;  // faces, edges and vertices
    } cases[] = {
        {kFaceSelection, [](auto&, auto& scene, auto&) { scene = nullptr; }, "Top", "0 0 0"},
        {kFaceSelection, [](auto& h, auto&, auto&) { h.scene.activeViewSlot = nullptr; }, "Top",
         "3 0 0"},
        {kEdgeSelection, [](auto& h, auto&, auto&) { h.slot = nullptr; }, "Top", "0 12 0"},
        {kFaceSelection, [](auto& h, auto&, auto&) { h.scene.selectedFaces = nullptr; }, "Left",
         "0 0 0"},
        {kEdgeSelection, [](auto& h, auto&, auto&) { h.scene.selectedEdges = nullptr; }, "Left",
         "0 0 0"},
        {kVertexSelection, [](auto& h, auto&, auto&) { h.scene.selectedVertices = nullptr; },
         "Left", "0 0 0"},
        {kFaceSelection, [](auto&, auto&, auto& services) { services = nullptr; }, "Left", "0 0 0"},
        {kFaceSelection, [](auto& h, auto&, auto&) { h.services.selectionMode = nullptr; }, "Left",
         "0 0 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
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
        EXPECT_EQ(std::string(frame.value(kSelFacesToken)) + " " + frame.value(kSelEdgesToken) +
                      " " + frame.value(kSelVerticesToken),
                  c.counts);
        EXPECT_STREQ(frame.value(kElapsedToken), "01:02:05");
    }
}

// Applying the tokens to the rows of a loaded page, frame after frame, each row drawn as the HUD
// draws it: a fresh copy of its text, then the tokens.
TEST(ApplyTokens, RowsAreSubstitutedOnEveryFrame) {
    const struct {
        const char* row;
        const char* frame1;
        const char* frame2;
    } rows[] = {
        {"Faces: *SEL_FACES*", "Faces: 3", "Faces: 4"},
        {"*SEL_FACES* at *FPS* fps", "3 at 60 fps", "4 at 59 fps"},
        {"*CUR_TIME* to *CUR_TIME*", "09:05:03 to 09:05:03", "09:05:04 to 09:05:04"},
        {"*CUR_TIME**CUR_TIME*", "09:05:03*CUR_TIME*", "09:05:04*CUR_TIME*"},
        // each token has its own pass, so different tokens side by side are all replaced
        {"*CAMERA_NAME**CUR_DATE**CUR_TIME**ELAPSED**SEL_FACES**SEL_EDGES**SEL_VERTICES*",
         "Top2024-02-2909:05:0301:02:053127", "Left2024-02-2909:05:0401:02:054127"},
        {"*cur_time* **CUR_TIME*", "*cur_time* **CUR_TIME*", "*cur_time* **CUR_TIME*"},
        {"[*CAMERA_NAME*]", "[Top]", "[Left]"},
        {"plain text", "plain text", "plain text"},
    };
    std::vector<std::string> page;
    for (const auto& r : rows) page.push_back(r.row);
    const WorkFolder dir(test::iniWithPage(page));
    const auto store = std::make_unique<PageStore>();
    ASSERT_TRUE(test::loadFirstPage(*store));
    TokenTable table;
    char line[kLineSize];
    const auto draw = [&](int row) {
        store->selectRow(row);
        std::memset(line, '#', sizeof line);
        std::memcpy(line, store->getRowText(), std::strlen(store->getRowText()) + 1);
        applyTokens(*store->getRow(), table, line);
        return std::string(line);
    };
    const auto setValues = [&](const char* camera, const char* time, const char* faces,
                               const char* fps) {
        const char* values[] = {camera, "2024-02-29", time, "01:02:05", faces, "12", "7", fps};
        for (int i = 0; i < kTokenCount; ++i)
            std::snprintf(table.values[i], kTextSize, "%s", values[i]);
    };
    for (int frame = 1; frame <= 2; ++frame) {
        if (frame == 1) setValues("Top", "09:05:03", "3", "60");
        if (frame == 2) setValues("Left", "09:05:04", "4", "59");
        for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
            EXPECT_EQ(draw(i), frame == 1 ? rows[i].frame1 : rows[i].frame2) << rows[i].row;
        }
    }

    // A later pass scans an earlier value.
    std::snprintf(table.values[kCameraNameToken], kTextSize, "cam *SEL_EDGES*");
    EXPECT_EQ(draw(6), "[cam 12]");
    // A row without tokens is never scanned again: the token put into its line now stays.
    store->selectRow(7);
    std::memcpy(line, "*CUR_TIME*", 11);
    applyTokens(*store->getRow(), table, line);
    EXPECT_STREQ(line, "*CUR_TIME*");
}

}  // namespace
}  // namespace vantor
