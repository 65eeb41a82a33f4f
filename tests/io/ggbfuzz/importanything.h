// What the GeoGebra importer is given to chew on: any bytes, as an archive
// when they start as one, else as the text of geogebra.xml.
#pragma once

#include "constructionfile.h"
#include "ggbimport.h"
#include "objectlist.h"
#include "view.h"

#include <string>

// 0 when all went well; an import that does not save and read back as it
// was is a fault.
inline int importanything(const std::string& bytes) {
    filehost().clear();
    if (isggb(bytes))
        importggb(bytes);
    else
        importggbxml(bytes);
    const int n = objects.count();
    const std::string saved = construction();
    const View before = view();
    filehost().clear();
    const Failure again = readconstruction(saved);
    view().X1 = before.X1, view().X2 = before.X2, view().Y1 = before.Y1, view().Y2 = before.Y2;
    const int fault = again.Line != 0 || objects.count() != n || construction() != saved;
    filehost().clear();
    return fault;
}
