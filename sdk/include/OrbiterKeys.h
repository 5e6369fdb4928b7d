// Keyboard scan codes and key-state helpers. A key-state buffer has 256
// entries, one per scan code; a key is held while bit 0x80 of its entry is set.
#ifndef ORBITER_KEYS_H
#define ORBITER_KEYS_H

#define OAPI_KEY_ESCAPE      0x01
#define OAPI_KEY_1           0x02
#define OAPI_KEY_2           0x03
#define OAPI_KEY_3           0x04
#define OAPI_KEY_4           0x05
#define OAPI_KEY_5           0x06
#define OAPI_KEY_6           0x07
#define OAPI_KEY_7           0x08
#define OAPI_KEY_8           0x09
#define OAPI_KEY_9           0x0A
#define OAPI_KEY_0           0x0B
#define OAPI_KEY_MINUS       0x0C
#define OAPI_KEY_EQUALS      0x0D
#define OAPI_KEY_BACK        0x0E
#define OAPI_KEY_TAB         0x0F
#define OAPI_KEY_Q           0x10
#define OAPI_KEY_W           0x11
#define OAPI_KEY_E           0x12
#define OAPI_KEY_R           0x13
#define OAPI_KEY_T           0x14
#define OAPI_KEY_Y           0x15
#define OAPI_KEY_U           0x16
#define OAPI_KEY_I           0x17
#define OAPI_KEY_O           0x18
#define OAPI_KEY_P           0x19
#define OAPI_KEY_LBRACKET    0x1A
#define OAPI_KEY_RBRACKET    0x1B
#define OAPI_KEY_RETURN      0x1C
#define OAPI_KEY_LCONTROL    0x1D
#define OAPI_KEY_A           0x1E
#define OAPI_KEY_S           0x1F
#define OAPI_KEY_D           0x20
#define OAPI_KEY_F           0x21
#define OAPI_KEY_G           0x22
#define OAPI_KEY_H           0x23
#define OAPI_KEY_J           0x24
#define OAPI_KEY_K           0x25
#define OAPI_KEY_L           0x26
#define OAPI_KEY_SEMICOLON   0x27
#define OAPI_KEY_APOSTROPHE  0x28
#define OAPI_KEY_GRAVE       0x29
#define OAPI_KEY_LSHIFT      0x2A
#define OAPI_KEY_BACKSLASH   0x2B
#define OAPI_KEY_Z           0x2C
#define OAPI_KEY_X           0x2D
#define OAPI_KEY_C           0x2E
#define OAPI_KEY_V           0x2F
#define OAPI_KEY_B           0x30
#define OAPI_KEY_N           0x31
#define OAPI_KEY_M           0x32
#define OAPI_KEY_COMMA       0x33
#define OAPI_KEY_PERIOD      0x34
#define OAPI_KEY_SLASH       0x35
#define OAPI_KEY_RSHIFT      0x36
#define OAPI_KEY_MULTIPLY    0x37
#define OAPI_KEY_LALT        0x38
#define OAPI_KEY_SPACE       0x39
#define OAPI_KEY_CAPITAL     0x3A
#define OAPI_KEY_F1          0x3B
#define OAPI_KEY_F2          0x3C
#define OAPI_KEY_F3          0x3D
#define OAPI_KEY_F4          0x3E
#define OAPI_KEY_F5          0x3F
#define OAPI_KEY_F6          0x40
#define OAPI_KEY_F7          0x41
#define OAPI_KEY_F8          0x42
#define OAPI_KEY_F9          0x43
#define OAPI_KEY_F10         0x44
#define OAPI_KEY_NUMLOCK     0x45
#define OAPI_KEY_SCROLL      0x46
#define OAPI_KEY_NUMPAD7     0x47
#define OAPI_KEY_NUMPAD8     0x48
#define OAPI_KEY_NUMPAD9     0x49
#define OAPI_KEY_SUBTRACT    0x4A
#define OAPI_KEY_NUMPAD4     0x4B
#define OAPI_KEY_NUMPAD5     0x4C
#define OAPI_KEY_NUMPAD6     0x4D
#define OAPI_KEY_ADD         0x4E
#define OAPI_KEY_NUMPAD1     0x4F
#define OAPI_KEY_NUMPAD2     0x50
#define OAPI_KEY_NUMPAD3     0x51
#define OAPI_KEY_NUMPAD0     0x52
#define OAPI_KEY_DECIMAL     0x53
#define OAPI_KEY_OEM_102     0x56
#define OAPI_KEY_F11         0x57
#define OAPI_KEY_F12         0x58
#define OAPI_KEY_NUMPADENTER 0x9C
#define OAPI_KEY_RCONTROL    0x9D
#define OAPI_KEY_DIVIDE      0xB5
#define OAPI_KEY_SYSRQ       0xB7
#define OAPI_KEY_RALT        0xB8
#define OAPI_KEY_PAUSE       0xC5
#define OAPI_KEY_HOME        0xC7
#define OAPI_KEY_UP          0xC8
#define OAPI_KEY_PRIOR       0xC9
#define OAPI_KEY_LEFT        0xCB
#define OAPI_KEY_RIGHT       0xCD
#define OAPI_KEY_END         0xCF
#define OAPI_KEY_DOWN        0xD0
#define OAPI_KEY_NEXT        0xD1
#define OAPI_KEY_INSERT      0xD2
#define OAPI_KEY_DELETE      0xD3

// True while the key is held in the key-state buffer.
#define KEYDOWN(buf, key) ((buf)[key] & 0x80)
#define RESETKEY(buf, key) ((buf)[key] = 0)

// Either of a modifier's two keys.
#define KEYMOD_LSHIFT(buf) (KEYDOWN(buf, OAPI_KEY_LSHIFT))
#define KEYMOD_RSHIFT(buf) (KEYDOWN(buf, OAPI_KEY_RSHIFT))
#define KEYMOD_SHIFT(buf) (KEYMOD_LSHIFT(buf) || KEYMOD_RSHIFT(buf))
#define KEYMOD_LCONTROL(buf) (KEYDOWN(buf, OAPI_KEY_LCONTROL))
#define KEYMOD_RCONTROL(buf) (KEYDOWN(buf, OAPI_KEY_RCONTROL))
#define KEYMOD_CONTROL(buf) (KEYMOD_LCONTROL(buf) || KEYMOD_RCONTROL(buf))
#define KEYMOD_LALT(buf) (KEYDOWN(buf, OAPI_KEY_LALT))
#define KEYMOD_RALT(buf) (KEYDOWN(buf, OAPI_KEY_RALT))
#define KEYMOD_ALT(buf) (KEYMOD_LALT(buf) || KEYMOD_RALT(buf))

#endif  // ORBITER_KEYS_H
