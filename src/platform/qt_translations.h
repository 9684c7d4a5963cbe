// Qt's own words (standard buttons, the print dialog, the context menus of the fields) in the
// program's language, from the translations installed with Qt.
#pragma once

// German and Polish load Qt's translation; any other language gives Qt's English back.
// False when the language has a translation that could not be loaded.
bool LoadQtTranslations(int languageCode);
