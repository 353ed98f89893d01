#pragma once

#include <QString>

namespace liftvox {

// Where a file dialog opens: the folder remembered for it while it exists
// (and, for saving, can be written), else the user's home folder. Never the
// program's own folder, which an installed copy cannot write.
QString InitialDialogFolder(const QString& remembered, bool save);

}  // namespace liftvox
