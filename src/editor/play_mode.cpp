// Test play in the editor: the level is copied, flown in an ordinary World and
// thrown away again, so nothing the ship does reaches the level being edited.
#include <cstdlib>
#include <cstring>

#include "app/assets.h"
#include "app/game.h"
#include "app/sound_groups.h"
#include "editor/editor.h"
#include "world/world.h"

namespace {

const float kShipHalf = 32.5f;

TextObject* DuplicateText(const TextObject* source) {
    if (!source) return nullptr;
    const char* text = source->text ? source->text : "";
    TextObject* copy = CreateTextObject(text, std::strlen(text) + 1);
    if (!copy) return nullptr;
    copy->position = source->position;
    copy->rotation = source->rotation;
    copy->width = source->width;
    copy->textSize = source->textSize;
    copy->visible = source->visible;
    copy->colour = source->colour;
    copy->alignH = source->alignH;
    copy->alignV = source->alignV;
    return copy;
}

// The flying copy: its own tables and objects, the texts exactly as written
// (placeholders stay as they are), and bounds around everything placed.
void CopyEditedLevel(void) {
    const Level& source = editor.editedLevel;
    Level& copy = editor.playLevel;
    copy = source;
    copy.goal = DuplicateLevelObject(source.goal);
    copy.objects = nullptr;
    copy.texts = nullptr;
    if (source.objects && source.objectCapacity != 0) {
        copy.objects = static_cast<LevelObject**>(
            std::calloc(static_cast<size_t>(source.objectCapacity), sizeof(LevelObject*)));
        for (uint64_t i = 0; copy.objects && i < source.objectCapacity; ++i) {
            copy.objects[i] = DuplicateLevelObject(source.objects[i]);
        }
    }
    // A table that cannot be allocated is left out (capacity 0): the level
    // then flies without those objects instead of reading a null table.
    if (!copy.objects) copy.objectCapacity = 0;
    if (source.texts && source.textCapacity != 0) {
        copy.texts = static_cast<TextObject**>(
            std::calloc(static_cast<size_t>(source.textCapacity), sizeof(TextObject*)));
        for (uint64_t i = 0; copy.texts && i < source.textCapacity; ++i) {
            copy.texts[i] = DuplicateText(source.texts[i]);
        }
    }
    if (!copy.texts) copy.textCapacity = 0;

    copy.bounds = Bounds{-kShipHalf, -kShipHalf, kShipHalf, kShipHalf};
    for (uint64_t i = 0; i < copy.objectCapacity; ++i) {
        const LevelObject* entry = copy.objects[i];
        if (entry && entry->object) {
            Bounds_Include(&copy.bounds, entry->object->position, entry->object->size);
        }
    }
    for (uint64_t i = 0; i < copy.textCapacity; ++i) {
        const TextObject* text = copy.texts[i];
        if (text) {
            Bounds_Include(&copy.bounds, text->position, TS_Vector_Set(text->width, text->textSize));
        }
    }
    if (copy.goal && copy.goal->object) {
        Bounds_Include(&copy.bounds, copy.goal->object->position, copy.goal->object->size);
    }
}

void SetFileButtonsEnabled(bool enabled) {
    Button* buttons[4] = {editor.saveButton, editor.openButton, editor.helpButton,
                          editor.exitButton};
    for (Button* button : buttons) {
        if (button) button->enabled = enabled;
    }
    if (editor.playButton) Button_SetLabel(editor.playButton, enabled ? "Play" : "Stop");
}

void PlayMusic(int slot, SoundGroup group) {
    TS_Sound music = GetMusic(slot);
    if (music) SoundGroup_Play(group, music, MusicGroupVolume(), true);
}

// Everything of play mode except the music.
void StopFlying(void) {
    editor.playMode = false;
    // Releasing the World also drops the ship's image from the sprite cache,
    // which the ship marker shows too: it takes the image anew.
    TeardownWorld();
    if (editor.shipMarkerShape) editor.shipMarkerShape->image = GetSpriteImage(SPRITE_PLAYER);
    FreeLevel(&editor.playLevel);
    InitLevel(&editor.playLevel);
    SetFileButtonsEnabled(true);
}

}  // namespace

LevelObject* DuplicateLevelObject(const LevelObject* entry) {
    if (!entry) return nullptr;
    LevelObject* copy = static_cast<LevelObject*>(std::calloc(1, sizeof(LevelObject)));
    if (!copy) return nullptr;
    copy->kind = entry->kind;
    if (!entry->object) return copy;
    copy->object = static_cast<GameObject*>(std::malloc(sizeof(GameObject)));
    if (!copy->object) return copy;
    *copy->object = *entry->object;  // the kind Shape is shared, never copied
    copy->object->collider = nullptr;
    if (entry->object->collider) {
        copy->object->collider = static_cast<Collider*>(std::malloc(sizeof(Collider)));
        if (copy->object->collider) *copy->object->collider = *entry->object->collider;
    }
    return copy;
}

void Editor_SetPlayMode(bool on) {
    if (editor.playMode == on) return;
    if (!on) {
        StopFlying();
        SoundGroup_Stop(SoundGroup::GameMusic);
        PlayMusic(SOUND_MENU_MUSIC, SoundGroup::MenuMusic);  // from the beginning again
        return;
    }
    editor.playMode = true;
    CopyEditedLevel();
    SetupWorld(&editor.playLevel);
    SetFileButtonsEnabled(false);
    SoundGroup_Stop(SoundGroup::MenuMusic);
    PlayMusic(SOUND_GAME_MUSIC, SoundGroup::GameMusic);
}

void Editor_UpdatePlayMode(void) {
    World_Update();
    if (TS_Input_KeyTriggered(TS_KEY_ESCAPE)) Editor_SetPlayMode(false);
}

void Editor_AbandonPlayMode(void) {
    if (!editor.playMode) return;
    StopFlying();
}
