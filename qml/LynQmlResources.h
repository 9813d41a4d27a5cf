#pragma once

// Makes the documents and fonts of this static library visible under qrc:/.
void initLynQmlResources();
