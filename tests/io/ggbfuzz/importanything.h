// What the GeoGebra importer is given to chew on: any bytes, as an archive
// when they start as one, else as the text of geogebra.xml.
#pragma once

#include "ggbimport.h"
#include "readanything.h"

#include <string>

// 0 when all went well; an import that does not save and read back as it
// was is a fault.
inline int importanything(const std::string& bytes) {
    filehost().clear();
    if (isggb(bytes))
        importggb(bytes);
    else
        importggbxml(bytes);
    return readsback();
}
