// StepLimit: the cap on loops that run until something lands or settles
// (the camera settle, the hero's drop at stage begin, an enemy's drop onto
// the ground). A stage without ground under its start point, or a camera
// caught between two zones, would never end them; after kStepLimit steps
// the loop gives up and prints one line saying what did not happen.
#pragma once

constexpr int kStepLimit = 10000;

class StepLimit {
public:
    // what: the failure in words, e.g. "The camera did not settle".
    explicit StepLimit(const char* what) : what_(what) {}

    // True while another step is allowed. The call that finds the cap
    // reached prints "<what> after 10000 steps" and returns false; loops end
    // there.
    bool Next();

    bool Reached() const { return steps_ > kStepLimit; }
    int Steps() const { return steps_ > kStepLimit ? kStepLimit : steps_; }

private:
    const char* what_;
    int steps_ = 0;
};
