#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The desktop's scale, however the desktop sets it. The framework reads only the XSETTINGS
    window scaling factor (and GNOME's own settings); desktops that set GDK_SCALE, or Xft.dpi
    in the X resources as KDE Plasma and many window managers do, would otherwise get a
    window at half size on a screen of twice the density.
*/
class DesktopScale
{
public:
    /** What the scale is chosen from. */
    struct Sources
    {
        double framework = 1.0;  ///< the framework's own display scale (XSETTINGS)
        juce::String gdkScale;   ///< the GDK_SCALE environment variable
        juce::String xResources; ///< the X server's resource string (RESOURCE_MANAGER)
    };

    /** The framework's scale when it is above 1, else GDK_SCALE when it is a whole number of
        at least 1, else Xft.dpi / 96 when that is above 1, else 1.
    */
    static double choose (const Sources& sources);

    /** The Xft.dpi value of an X resource string, 0 when there is none. */
    static double findXftDpi (const juce::String& xResources);

    /** Reads the sources from this session: the primary display, the environment and the
        resources of the X server named by DISPLAY.
    */
    static Sources read();

    /** Scales the whole desktop's coordinates so that the primary display has the chosen scale.
        Call once, before any window is shown.
    */
    static void apply();
};
