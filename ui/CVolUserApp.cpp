#include "ui/CVolUserApp.h"

const ClassDescriptor& CVolUserApp::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("CVolUserApp", nullptr, {&CVolObject::StaticClass()});
    return d;
}
