#include "update/update_messages.h"

#include "update/update_check.h"

namespace vx {

UserMessage NewVersionQuestion(const VersionInfo& info) {
    return {"Neue Version verfügbar !",
            "Eine neue Version der Software Veltranix steht zum Download bereit.\n\nVersion: " +
                info.version + "\nerstellt am " + info.date + "\nDateiname: " + info.filename +
                "\n\nWollen Sie die neue Version jetzt herunterladen ?"};
}

}  // namespace vx
