// The modeller's side of the plug-in, as records in memory: a host record with its callback table,
// a scene with seven named cameras and an active view through the top one, three selection lists
// and a selection-mode service that counts how often it is asked.
#pragma once

#include <cstdint>

#include "abi/host_records.h"

namespace vantor::test {

struct FakeHost {
    static inline std::int32_t mode = kFaceSelection;  // what selectionMode answers
    static inline int modeCalls = 0;
    static std::int32_t selectionMode() {
        ++modeCalls;
        return mode;
    }

    SelectionList faces{0, 0};
    SelectionList edges{0, 0};
    SelectionList vertices{0, 0};
    ActiveView view{};
    const ActiveView* slot = &view;
    SceneContext scene{};
    HostServices services{};
    HostCallbackTable table{};
    HostRecord record{};

    FakeHost() {
        mode = kFaceSelection;
        modeCalls = 0;
        scene.selectedFaces = &faces;
        scene.selectedEdges = &edges;
        scene.selectedVertices = &vertices;
        scene.mainPerspectiveCamera = 0x1001;
        scene.unused36 = 0x1000;  // no camera's handle
        scene.topCamera = 0x1002;
        scene.leftCamera = 0x1003;
        scene.rightCamera = 0x1004;
        scene.frontCamera = 0x1005;
        scene.backCamera = 0x1006;
        scene.bottomCamera = 0x1007;
        scene.activeViewSlot = &slot;
        view.camera = scene.topCamera;
        services.selectionMode = &selectionMode;
        record.table = &table;
        record.scene = &scene;
        record.services = &services;
    }
    FakeHost(const FakeHost&) = delete;  // the records point into the object
    FakeHost& operator=(const FakeHost&) = delete;
};

}  // namespace vantor::test
