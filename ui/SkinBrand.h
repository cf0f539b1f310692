// The two panels share these controls; the second brand's build differs in
// three places (control colours, caption drawing, tooltip font), chosen when
// the library is built.
#pragma once

#if defined(INKBRID_SKIN_PENMIRA) && INKBRID_SKIN_PENMIRA
inline constexpr bool kPenmiraSkin = true;
#else
inline constexpr bool kPenmiraSkin = false;
#endif
