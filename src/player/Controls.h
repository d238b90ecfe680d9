// Controls: the eleven action records the hero's rules read, and the stick.
// The event pump marks them from the keys and buttons the bindings map to
// actions; the hero's reactions and the per-frame controller read them.
#pragma once

enum Action {
    Attack1 = 0,
    Attack2 = 1,
    Jump = 2,
    Dash = 3,
    Left = 4,
    Right = 5,
    Up = 6,
    Down = 7,
    PrevWeapon = 8,
    NextWeapon = 9,
    kActionCount = 11  // record 10 exists but nothing binds it
};

// Joystick axis 0 beyond +-kStickDeadZone asks for right or left.
constexpr int kStickDeadZone = 10000;

struct ActionState {
    unsigned char pressed = 0;   // from the press until the next frame that reads input
    unsigned char released = 0;  // from the release until the next frame that reads input
    unsigned char held = 0;      // while down
};

struct Controls {
    ActionState actions[kActionCount];
    int stickX = 0;  // joystick axis 0 as last reported (-32768..32767); 0 without a joystick

    static void Press(ActionState& s) {
        s.pressed = 1;
        s.released = 0;
        s.held = 1;
    }
    static void Release(ActionState& s) {
        s.released = 1;
        s.pressed = 0;
        s.held = 0;
    }
    void ClearEdges() {
        for (ActionState& s : actions) s.pressed = s.released = 0;
    }
    ActionState& operator[](Action a) { return actions[a]; }
    const ActionState& operator[](Action a) const { return actions[a]; }

    // The stick as a direction: beyond the dead zone, right or left.
    bool StickRight() const { return stickX > kStickDeadZone; }
    bool StickLeft() const { return stickX < -kStickDeadZone; }
};
