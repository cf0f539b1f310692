// The tilt dial's arithmetic: the orientation factors taken from the
// device's orientation axes, the needle's length and angle fed from each
// packet, and where the needle and the magenta tilt marker end on the
// 40 x 40 dial.
#pragma once

#include "WintabContract.h"

#include <cstdint>

struct DialPoint {
    int32_t x;
    int32_t y;
};

class TiltDial {
public:
    static constexpr int32_t kSize = 40;
    static constexpr int32_t kCentre = 20;
    // The dial's messages: 1026 the tilt marker, 1124 length and angle.
    static constexpr uint32_t kSetMarkerMessage = 0x400 + 2;
    static constexpr uint32_t kSetNeedleMessage = 0x400 + 100;

    // Azimuth units per radian (A), altitude units per tenth of a degree (B)
    // and the altitude axis maximum in those tenths (C); 1.0 until the axes are read.
    struct Factors {
        double azimuthPerRadian = 1.0;
        double altitudeScale = 1.0;
        double altitudeMaximum = 1.0;
    };

    // Factors from the three orientation axes (azimuth, altitude, twist);
    // false, and the factors left as they were, when a resolution is zero.
    static bool FactorsFromAxes(const wintab::AXIS axes[3], Factors& factors);
    // A 16.16 fixed-point resolution as a real.
    static double FixedToReal(uint32_t fixed);

    void SetFactors(const Factors& factors) { factors_ = factors; }

    // The needle for one packet's orientation.
    void Feed(const wintab::PANELPACKET& packet);
    void SetNeedle(double length, double angle);
    void SetMarker(uint32_t pixels) { marker_ = pixels; }

    DialPoint NeedleEnd() const;
    DialPoint MarkerEnd() const;

private:
    Factors factors_;
    double length_ = 0.0;
    double angle_ = 0.0;
    uint32_t marker_ = 0;
};
