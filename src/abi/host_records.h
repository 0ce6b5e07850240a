// Records the host application owns and exchanges with the plug-in.
//
// Every slot is one machine word. The host is a 32-bit program, so on the product build each slot
// is 4 bytes and the byte offsets pinned below are the host's own. On 64-bit Linux, where our
// stand-in host plays the host, each slot is pointer-sized and every offset scales by 8 / 4.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantor {

// One machine word: a host handle or a count stored in a slot.
using HostWord = std::uintptr_t;

// A callback entry as stored in the host's records; cast to its real signature before a call.
using HostEntry = void (*)();

// Signatures of the entries, by the operation they forward to.
using ExecuteEntry = bool (*)(std::int32_t function);
using ReleaseEntry = void (*)(std::int32_t value);
using FunctionCountEntry = std::int32_t (*)();
using FunctionNameEntry = const char* (*)(std::int32_t function);
using FunctionKindEntry = std::int32_t (*)(std::int32_t function);
using DrawEntry = bool (*)(std::int32_t flag);

// The plug-in's function numbers, as the host passes them to execute, functionName and
// functionKind: the drawing function, then the four commands the user picks.
enum PluginFunction : std::int32_t {
    kDrawingFunction = 0,
    kSwitchCommand = 1,
    kNextPageCommand = 2,
    kPrevPageCommand = 3,
    kReloadIniCommand = 4,
};
constexpr std::int32_t kPluginFunctionCount = 5;

// The plug-in interface version getPluginVersion reports: the host loads plug-ins of this one.
constexpr std::int32_t kPluginVersion = 4;

template <class Signature>
Signature entryAs(HostEntry entry) {
    return reinterpret_cast<Signature>(entry);
}

struct SelectionList {
    HostWord header;
    HostWord count;  // element count; only the low 32 bits are meaningful
};

struct ActiveView {
    HostWord reserved[4];
    HostWord camera;  // handle of the camera this view looks through
};

struct SceneContext {
    HostWord reserved0[3];
    const SelectionList* selectedVertices;
    const SelectionList* selectedEdges;
    const SelectionList* selectedFaces;
    HostWord reserved24[2];
    HostWord mainPerspectiveCamera;
    HostWord unused36;  // sits among the camera handles; never read
    HostWord topCamera;
    HostWord leftCamera;
    HostWord rightCamera;
    HostWord frontCamera;
    HostWord backCamera;
    HostWord bottomCamera;
    const ActiveView* const* activeViewSlot;
};

// What selectionMode answers; any other number is a mode of the host's own.
enum SelectionMode : std::int32_t {
    kFaceSelection = 0,
    kEdgeSelection = 1,
    kVertexSelection = 2,
};

// Returns the SelectionMode. Called with no receiver.
using SelectionModeFn = std::int32_t (*)();

struct HostServices {
    HostWord reserved[29];
    SelectionModeFn selectionMode;
};

constexpr int kCallbackTableSize = 20;

struct HostCallbackTable {
    HostEntry entries[kCallbackTableSize];
};

struct HostRecord {
    HostEntry execute;
    HostEntry release;
    HostEntry functionCount;
    HostEntry functionName;
    HostEntry functionKind;
    HostCallbackTable* table;
    const SceneContext* scene;
    const HostServices* services;
    const void* unused32;  // a host pointer the plug-in has no use for; never read
};

// Table position whose entry reaches draw.
constexpr int kDrawPosition = 19;

// A byte offset of the 32-bit host layout, as it falls on this build's word size.
constexpr std::size_t hostOffset(std::size_t offset32) { return offset32 / 4 * sizeof(void*); }

#define VANTOR_PIN_OFFSET(type, field, offset32) \
    static_assert(offsetof(type, field) == ::vantor::hostOffset(offset32), #type "." #field)

VANTOR_PIN_OFFSET(HostRecord, execute, 0);
VANTOR_PIN_OFFSET(HostRecord, release, 4);
VANTOR_PIN_OFFSET(HostRecord, functionCount, 8);
VANTOR_PIN_OFFSET(HostRecord, functionName, 12);
VANTOR_PIN_OFFSET(HostRecord, functionKind, 16);
VANTOR_PIN_OFFSET(HostRecord, table, 20);
VANTOR_PIN_OFFSET(HostRecord, scene, 24);
VANTOR_PIN_OFFSET(HostRecord, services, 28);
VANTOR_PIN_OFFSET(HostRecord, unused32, 32);
VANTOR_PIN_OFFSET(HostCallbackTable, entries[kDrawPosition], 76);
static_assert(sizeof(HostCallbackTable) == hostOffset(80), "callback table size");

VANTOR_PIN_OFFSET(SelectionList, count, 4);
VANTOR_PIN_OFFSET(ActiveView, camera, 16);
VANTOR_PIN_OFFSET(SceneContext, selectedVertices, 12);
VANTOR_PIN_OFFSET(SceneContext, selectedEdges, 16);
VANTOR_PIN_OFFSET(SceneContext, selectedFaces, 20);
VANTOR_PIN_OFFSET(SceneContext, mainPerspectiveCamera, 32);
VANTOR_PIN_OFFSET(SceneContext, unused36, 36);
VANTOR_PIN_OFFSET(SceneContext, topCamera, 40);
VANTOR_PIN_OFFSET(SceneContext, leftCamera, 44);
VANTOR_PIN_OFFSET(SceneContext, rightCamera, 48);
VANTOR_PIN_OFFSET(SceneContext, frontCamera, 52);
VANTOR_PIN_OFFSET(SceneContext, backCamera, 56);
VANTOR_PIN_OFFSET(SceneContext, bottomCamera, 60);
VANTOR_PIN_OFFSET(SceneContext, activeViewSlot, 64);
VANTOR_PIN_OFFSET(HostServices, selectionMode, 116);

}  // namespace vantor
