// Filters for shaping synthesised sound.
#pragma once

// A state-variable filter that stays well-behaved while its cutoff sweeps.
class Svf {
public:
    struct Outputs {
        float low;
        float band;
        float high;
    };

    Svf(double hz, double q) { Tune(hz, q); }
    void Tune(double hz, double q);
    Outputs Process(float x);

private:
    double k_ = 1;
    double a1_ = 0;
    double a2_ = 0;
    double a3_ = 0;
    double state1_ = 0;
    double state2_ = 0;
};

// A gentle 6 dB per octave low-pass; subtract it from the input for a high-pass.
class OnePole {
public:
    explicit OnePole(double hz);
    float Process(float x) { return static_cast<float>(y_ += a_ * (x - y_)); }

private:
    double a_;
    double y_ = 0;
};

// A second-order section, used where a fixed standard response is needed.
class Biquad {
public:
    static Biquad HighPass(double hz, double q);
    static Biquad HighShelf(double hz, double q, double gainDb);
    float Process(float x);

private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0_, b1_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};
