#pragma once

// Plotter and printer control that files for real devices carry between
// their HPGL instructions, none of which draws anything: the RS-232
// device-control instructions "ESC." with their numeric parameters up to
// a ":" (which run across ";", so this keeps state from piece to piece),
// the PCL escapes of printers that take HP-GL/2 ("ESC E", "ESC%-1B",
// "ESC&l1O") and lines of the printer job language ("@PJL ...").
class HpglDeviceControl
{
public:
    // True while the parameters of a device-control instruction may go
    // on in the next piece.
    bool inParameters() const { return m_inParameters; }

    // Where the HPGL of an instruction text begins, past the control at its
    // start; `end` when the text is control alone.
    const char *skip(const char *begin, const char *end);

private:
    bool m_inParameters = false;
};
