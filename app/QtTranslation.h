#pragma once
// Qt's own texts (the folder dialog, the standard Yes/No/OK/Cancel buttons, the edit menus) in Russian,
// like every text of the program itself.

namespace vx {

// Loads Qt's Russian translation (qtbase_ru.qm) from Qt's translations folder, or from "translations"
// beside the program where a Windows deployment puts it, and installs it into the application.
// Returns false when no translation was found; Qt's texts then stay English.
bool installQtRussianTexts();

} // namespace vx
