#pragma once

// Makes the documents, images and fonts of this static library visible under qrc:/.
void initLynQmlResources();
