#pragma once

// The resource bundle (dark style sheet, its icons, the title-bar images) is registered while
// the program starts, before the application object exists. Widgets that need it call this
// so that the bundle is linked into every program that uses them; the call itself is cheap.
void ensureZerunResources();
