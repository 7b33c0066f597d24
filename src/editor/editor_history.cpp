// The editor's undo and redo: every settled change to the level is kept as a
// compact snapshot of the whole level, and "Unsaved" follows where in that
// history the level stands.
#include <cstdlib>
#include <cstring>

#include "editor/editor.h"

namespace {

// A snapshot holds every number of the level exactly as it stands (the file
// writes them from these), so going back to one brings the level back byte
// for byte. A full level packs into about 4 KiB; the history keeps the newest
// steps within this budget and lets the oldest go.
const size_t kHistoryBudgetBytes = 8u << 20;

struct Step {
    unsigned char* data;
    size_t size;
    uint64_t serial;  // unique for the editor's run, so a saved step is known again
};

// What a step costs against the budget beyond its bytes: its record here and
// the allocator's own bookkeeping.
const size_t kStepOverhead = sizeof(Step) + 16;

struct History {
    Step* steps;
    size_t count;
    size_t capacity;
    size_t current;  // the step the level is at; those after it are redone
    size_t bytes;
    uint64_t nextSerial;
    uint64_t savedSerial;  // 0: no step is what the file holds
    bool pending;          // the level changed since the current step
};

History history = {};

// ---- Packing a level ---------------------------------------------------------

struct Packer {
    unsigned char* out;  // null: only count
    size_t size;
};

void Put(Packer* p, const void* data, size_t size) {
    if (p->out) std::memcpy(p->out + p->size, data, size);
    p->size += size;
}
void PutFloat(Packer* p, float v) { Put(p, &v, sizeof v); }
void PutU32(Packer* p, uint32_t v) { Put(p, &v, sizeof v); }
void PutU64(Packer* p, uint64_t v) { Put(p, &v, sizeof v); }
void PutByte(Packer* p, uint8_t v) { Put(p, &v, 1); }
void PutVec(Packer* p, TS_Vec2 v) {
    PutFloat(p, v.x);
    PutFloat(p, v.y);
}

void PackEntry(Packer* p, const LevelObject* entry) {
    PutByte(p, entry ? 1 : 0);
    if (!entry) return;
    PutU32(p, entry->kind);
    const GameObject* o = entry->object;
    PutByte(p, o ? 1 : 0);
    if (!o) return;
    PutVec(p, o->position);
    PutFloat(p, o->rotation);
    PutVec(p, o->size);
    PutByte(p, o->active);
    PutByte(p, o->collider ? 1 : 0);
    if (!o->collider) return;
    PutU32(p, static_cast<uint32_t>(o->collider->type));
    PutVec(p, o->collider->scale);
    PutVec(p, o->collider->offset);
}

void PackText(Packer* p, const TextObject* text) {
    PutByte(p, text ? 1 : 0);
    if (!text) return;
    PutVec(p, text->position);
    PutFloat(p, text->rotation);
    PutFloat(p, text->width);
    PutFloat(p, text->textSize);
    PutByte(p, text->visible);
    const int32_t colour[4] = {text->colour.r, text->colour.g, text->colour.b, text->colour.a};
    Put(p, colour, sizeof colour);
    PutU32(p, static_cast<uint32_t>(text->alignH));
    PutU32(p, static_cast<uint32_t>(text->alignV));
    const uint32_t length = text->text ? static_cast<uint32_t>(std::strlen(text->text)) : 0;
    PutU32(p, length);
    if (length) Put(p, text->text, length);
}

void PackLevel(Packer* p, const Level* level) {
    PutU64(p, level->objects ? level->objectCapacity : 0);
    PutU64(p, level->texts ? level->textCapacity : 0);
    PutU32(p, level->flags);
    PutFloat(p, level->parTime);
    PutFloat(p, level->startFuel);
    PutFloat(p, level->startRotation);
    for (uint64_t i = 0; level->objects && i < level->objectCapacity; ++i) {
        PackEntry(p, level->objects[i]);
    }
    PackEntry(p, level->goal);
    for (uint64_t i = 0; level->texts && i < level->textCapacity; ++i) {
        PackText(p, level->texts[i]);
    }
}

// The level packed into a new buffer; null when memory runs out.
unsigned char* Snapshot(const Level* level, size_t* size) {
    Packer counter = {nullptr, 0};
    PackLevel(&counter, level);
    unsigned char* data = static_cast<unsigned char*>(std::malloc(counter.size));
    if (!data) return nullptr;
    Packer writer = {data, 0};
    PackLevel(&writer, level);
    *size = writer.size;
    return data;
}

// ---- Unpacking -----------------------------------------------------------------

struct Reader {
    const unsigned char* in;
    size_t at;
};

void Take(Reader* r, void* data, size_t size) {
    std::memcpy(data, r->in + r->at, size);
    r->at += size;
}
float TakeFloat(Reader* r) {
    float v = 0.0f;
    Take(r, &v, sizeof v);
    return v;
}
uint32_t TakeU32(Reader* r) {
    uint32_t v = 0;
    Take(r, &v, sizeof v);
    return v;
}
uint64_t TakeU64(Reader* r) {
    uint64_t v = 0;
    Take(r, &v, sizeof v);
    return v;
}
uint8_t TakeByte(Reader* r) {
    uint8_t v = 0;
    Take(r, &v, 1);
    return v;
}
TS_Vec2 TakeVec(Reader* r) {
    const float x = TakeFloat(r);
    return TS_Vec2{x, TakeFloat(r)};
}

// Reads one entry back; false when memory runs out.
bool UnpackEntry(Reader* r, LevelObject** slot) {
    *slot = nullptr;
    if (!TakeByte(r)) return true;
    const ObjectKind kind = static_cast<ObjectKind>(TakeU32(r));
    LevelObject* entry = CreateLevelObject(kind, TS_Vector_Zero(), 0.0f, TS_Vector_Zero());
    if (!entry) return false;
    *slot = entry;
    if (!TakeByte(r)) {
        FreeGameObject(entry->object);
        entry->object = nullptr;
        return true;
    }
    GameObject* o = entry->object;
    GameObject ignored = {};
    if (!o) o = &ignored;  // the entry is there but its object could not be made
    o->position = TakeVec(r);
    o->rotation = TakeFloat(r);
    o->size = TakeVec(r);
    o->active = TakeByte(r);
    if (!TakeByte(r)) {
        std::free(o->collider);
        o->collider = nullptr;
        return entry->object != nullptr;
    }
    Collider collider = {};
    collider.type = static_cast<int32_t>(TakeU32(r));
    collider.scale = TakeVec(r);
    collider.offset = TakeVec(r);
    if (!o->collider) return false;
    *o->collider = collider;
    return entry->object != nullptr;
}

bool UnpackText(Reader* r, TextObject** slot) {
    *slot = nullptr;
    if (!TakeByte(r)) return true;
    TextObject t = {};
    t.position = TakeVec(r);
    t.rotation = TakeFloat(r);
    t.width = TakeFloat(r);
    t.textSize = TakeFloat(r);
    t.visible = TakeByte(r);
    int32_t colour[4] = {};
    Take(r, colour, sizeof colour);
    t.colour = TS_Color{colour[0], colour[1], colour[2], colour[3]};
    t.alignH = static_cast<int32_t>(TakeU32(r));
    t.alignV = static_cast<int32_t>(TakeU32(r));
    const uint32_t length = TakeU32(r);
    TextObject* text = CreateTextObject("", length + 1);
    if (!text) return false;
    *slot = text;
    if (!text->text || text->textCapacity < length + 1) return false;
    Take(r, text->text, length);
    text->text[length] = '\0';
    char* buffer = text->text;
    const uint64_t capacity = text->textCapacity;
    *text = t;
    text->text = buffer;
    text->textCapacity = capacity;
    return true;
}

// Builds the level a snapshot holds; false (with `level` still valid for
// FreeLevel) when memory runs out.
bool Unpack(const unsigned char* data, Level* level) {
    Reader r = {data, 0};
    InitLevel(level);
    const uint64_t objectCapacity = TakeU64(&r);
    const uint64_t textCapacity = TakeU64(&r);
    level->flags = TakeU32(&r);
    level->parTime = TakeFloat(&r);
    level->startFuel = TakeFloat(&r);
    level->startRotation = TakeFloat(&r);
    if (objectCapacity) {
        level->objects =
            static_cast<LevelObject**>(std::calloc(objectCapacity, sizeof(LevelObject*)));
        if (!level->objects) return false;
        level->objectCapacity = objectCapacity;
    }
    for (uint64_t i = 0; i < objectCapacity; ++i) {
        if (!UnpackEntry(&r, &level->objects[i])) return false;
    }
    if (!UnpackEntry(&r, &level->goal)) return false;
    if (textCapacity) {
        level->texts = static_cast<TextObject**>(std::calloc(textCapacity, sizeof(TextObject*)));
        if (!level->texts) return false;
        level->textCapacity = textCapacity;
    }
    for (uint64_t i = 0; i < textCapacity; ++i) {
        if (!UnpackText(&r, &level->texts[i])) return false;
    }
    level->bounds = Level_ComputeBounds(level);
    return true;
}

// ---- The list of steps ---------------------------------------------------------

void FreeStep(Step* step) {
    std::free(step->data);
    history.bytes -= step->size + kStepOverhead;
    *step = Step{nullptr, 0, 0};
}

void DropStepsAfterCurrent(void) {
    while (history.count > history.current + 1) FreeStep(&history.steps[--history.count]);
}

// Lets the oldest steps go, never the current one, until the budget holds.
void KeepWithinBudget(void) {
    size_t dropped = 0;
    while (history.bytes > kHistoryBudgetBytes && dropped < history.current) {
        FreeStep(&history.steps[dropped]);
        ++dropped;
    }
    if (dropped == 0) return;
    std::memmove(history.steps, history.steps + dropped, (history.count - dropped) * sizeof(Step));
    history.count -= dropped;
    history.current -= dropped;
}

void UpdateDirty(void) {
    const bool atSaved = history.count > 0 && history.savedSerial != 0 &&
                         history.steps[history.current].serial == history.savedSerial;
    editor.dirty = history.pending || !atSaved;
}

// Adds a step after the current one (dropping any that could be redone).
// False when memory runs out.
bool PushStep(unsigned char* data, size_t size) {
    if (history.count > 0) DropStepsAfterCurrent();
    if (history.count == history.capacity) {
        const size_t capacity = history.capacity ? history.capacity * 2 : 64;
        Step* grown = static_cast<Step*>(std::realloc(history.steps, capacity * sizeof(Step)));
        if (!grown) return false;
        history.steps = grown;
        history.capacity = capacity;
    }
    history.steps[history.count] = Step{data, size, ++history.nextSerial};
    history.current = history.count++;
    history.bytes += size + kStepOverhead;
    KeepWithinBudget();
    return true;
}

// Which slot the selection sits in, so it can be picked again in the level a
// step brings back: an object slot, the goal (-2), a text slot, or -1.
struct SelectionSlot {
    bool isText;
    long slot;
};

SelectionSlot FindSelection(void) {
    const Level& level = editor.editedLevel;
    if (!editor.selection) return SelectionSlot{false, -1};
    if (editor.selection == level.goal) return SelectionSlot{false, -2};
    for (uint64_t i = 0; !editor.selectionIsText && level.objects && i < level.objectCapacity;
         ++i) {
        if (level.objects[i] == editor.selection) return SelectionSlot{false, static_cast<long>(i)};
    }
    for (uint64_t i = 0; editor.selectionIsText && level.texts && i < level.textCapacity; ++i) {
        if (level.texts[i] == editor.selection) return SelectionSlot{true, static_cast<long>(i)};
    }
    return SelectionSlot{false, -1};
}

// Puts the level of the current step in place of the edited one.
bool RestoreCurrent(void) {
    Level restored = {};
    if (!Unpack(history.steps[history.current].data, &restored)) {
        FreeLevel(&restored);
        return false;
    }
    const SelectionSlot selected = FindSelection();
    Editor_ClearSelection();
    FreeLevel(&editor.editedLevel);
    editor.editedLevel = restored;
    const Level& level = editor.editedLevel;
    const long slot = selected.slot;
    if (selected.isText && slot >= 0 && level.texts &&
        static_cast<uint64_t>(slot) < level.textCapacity) {
        Editor_Select(level.texts[slot], true);
    } else if (!selected.isText && slot == -2) {
        Editor_Select(level.goal, false);
    } else if (!selected.isText && slot >= 0 && level.objects &&
               static_cast<uint64_t>(slot) < level.objectCapacity) {
        Editor_Select(level.objects[slot], false);
    }
    return true;
}

}  // namespace

void Editor_ResetHistory(void) {
    for (size_t i = 0; i < history.count; ++i) FreeStep(&history.steps[i]);
    history.count = 0;
    history.current = 0;
    history.pending = false;
    history.savedSerial = 0;
    size_t size = 0;
    unsigned char* data = Snapshot(&editor.editedLevel, &size);
    if (data && PushStep(data, size)) {
        history.savedSerial = history.steps[history.current].serial;
    } else {
        std::free(data);
    }
    UpdateDirty();
}

void Editor_FreeHistory(void) {
    for (size_t i = 0; i < history.count; ++i) FreeStep(&history.steps[i]);
    std::free(history.steps);
    history = History{};
}

void Editor_MarkChanged(void) {
    history.pending = true;
    editor.dirty = true;
}

void Editor_CommitChanges(void) {
    if (!history.pending) return;
    size_t size = 0;
    unsigned char* data = Snapshot(&editor.editedLevel, &size);
    if (!data) return;  // stays pending, and unsaved, until memory allows
    history.pending = false;
    const bool same = history.count > 0 && history.steps[history.current].size == size &&
                      std::memcmp(history.steps[history.current].data, data, size) == 0;
    if (same) {
        std::free(data);
    } else if (!PushStep(data, size)) {
        std::free(data);
        history.pending = true;
    }
    UpdateDirty();
}

void Editor_SettleHistory(void) {
    if (!history.pending || editor.textEditing) return;
    if (TS_Input_MouseDown(TS_MOUSE_LEFT)) return;
    // A nudge lasts while an arrow key is held.
    const int arrows[4] = {TS_KEY_UP, TS_KEY_DOWN, TS_KEY_LEFT, TS_KEY_RIGHT};
    for (int key : arrows) {
        if (TS_Input_KeyDown(key)) return;
    }
    Editor_CommitChanges();
}

bool Editor_CanUndo(void) { return history.pending || history.current > 0; }
bool Editor_CanRedo(void) { return !history.pending && history.current + 1 < history.count; }

bool Editor_Undo(void) {
    Editor_FinishTextEditing();
    Editor_CommitChanges();
    if (history.pending || history.current == 0) return false;
    --history.current;
    if (!RestoreCurrent()) ++history.current;
    UpdateDirty();
    return true;
}

bool Editor_Redo(void) {
    Editor_FinishTextEditing();
    Editor_CommitChanges();
    if (history.pending || history.current + 1 >= history.count) return false;
    ++history.current;
    if (!RestoreCurrent()) --history.current;
    UpdateDirty();
    return true;
}

void Editor_MarkSaved(void) {
    Editor_CommitChanges();
    history.savedSerial = history.pending ? 0 : history.steps[history.current].serial;
    UpdateDirty();
}

void Editor_ForgetSaved(void) {
    history.savedSerial = 0;
    UpdateDirty();
}

size_t Editor_HistoryBytes(void) { return history.bytes; }
size_t Editor_HistorySteps(void) { return history.count; }
