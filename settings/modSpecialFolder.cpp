#include "settings/modSpecialFolder.h"

#include <QStandardPaths>

QString GetSpecialFolder(int folderId) {
    if (folderId != CSIDL_PERSONAL) {
        return {};
    }
    // On Windows this is the shell's "Documents" folder; elsewhere the desktop's equivalent.
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
