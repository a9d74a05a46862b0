/* Resource ids shared by resources.rc and the C++ code; plain defines so the
   resource compiler can read them too. */
#pragma once

#define IDI_STOPPED 1
#define IDI_ARMED 2
