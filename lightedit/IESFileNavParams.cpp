// PlApHostIESFileNavParams: the web-file dialog's parameters and their runtime class.
#include "lightedit/IESFileNavParams.h"

PlRxClass* PlApHostIESFileNavParams::gpDesc = nullptr;

struct PlApHostIESFileNavParams::Record {
    PlString* fileName = nullptr;
};

PlApHostIESFileNavParams::PlApHostIESFileNavParams() : m_record(new Record) {}

PlApHostIESFileNavParams::PlApHostIESFileNavParams(const PlApHostIESFileNavParams& other)
    : PlApHostDialogParams(other), m_record(new Record(*other.m_record)) {}

PlApHostIESFileNavParams& PlApHostIESFileNavParams::operator=(const PlApHostIESFileNavParams& other) {
    if (this != &other) {
        PlApHostDialogParams::operator=(other);
        *m_record = *other.m_record;
    }
    return *this;
}

PlApHostIESFileNavParams::~PlApHostIESFileNavParams() { delete m_record; }

PlRxClass* PlApHostIESFileNavParams::isA() const { return desc(); }

PlString& PlApHostIESFileNavParams::fileName() const { return *m_record->fileName; }

void PlApHostIESFileNavParams::setFileName(PlString& name) { m_record->fileName = &name; }

PlApHostIESFileNavParams* PlApHostIESFileNavParams::cast(const PlRxObject* object) {
    if (!object || !desc()) return nullptr;
    PlRxClass* cls = object->isA();
    if (!cls || !cls->isDerivedFrom(desc())) return nullptr;
    return static_cast<PlApHostIESFileNavParams*>(const_cast<PlRxObject*>(object));
}

const wchar_t* PlApHostIESFileNavParams::className() { return L"PlApHostIESFileNavParams"; }

PlRxClass* PlApHostIESFileNavParams::desc() {
    if (!gpDesc) gpDesc = plrxFindPlRxClass(className());
    return gpDesc;
}

void PlApHostIESFileNavParams::rxInit() {
    if (gpDesc) {
        PlRxClass* registered = plrxFindPlRxClass(className());
        if (registered == gpDesc) return;
        if (registered) plrx_abort(L"Class mismatch");
    }
    gpDesc = newPlRxClass(className(), L"PlApHostDialogParams", 0, nullptr, nullptr, nullptr);
}

void PlApHostIESFileNavParams::rxUninit() {
    if (PlRxClass* cls = desc()) deletePlRxClass(cls);
    gpDesc = nullptr;
}
