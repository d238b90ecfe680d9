#include "player/HeroMovement.h"


float DashCurveSpeed(int dashTimer, float previous) {
    if (dashTimer >= 42) return 0.0f;
    if (dashTimer == 41) return 6.6f;
    if (dashTimer >= 29) return previous - 0.2f;
    if (dashTimer >= 10) return 4.133333f;
    if (dashTimer == 9) return 3.98f;
    return previous - 0.2f;
}
