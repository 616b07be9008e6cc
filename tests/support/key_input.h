// key_input.h - key strokes for SendInput, as the keyboard makes them.

#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

// One key going down (or up).
inline INPUT KeyInput(WORD wVk, bool bUp = false)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = wVk;
    in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    return in;
}

// Each key pressed and released in turn, the modifiers held down around them all.
inline std::vector<INPUT> KeyStrokes(std::initializer_list<WORD> modifiers, std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD nKey : modifiers)
        inputs.push_back(KeyInput(nKey));
    for (WORD nKey : keys)
    {
        inputs.push_back(KeyInput(nKey));
        inputs.push_back(KeyInput(nKey, true));
    }
    for (WORD nKey : modifiers)
        inputs.push_back(KeyInput(nKey, true));
    return inputs;
}

// Sends the strokes; false when the input queue did not take them all.
inline bool SendKeyStrokes(std::initializer_list<WORD> modifiers, std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs = KeyStrokes(modifiers, keys);
    return ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size();
}
