#include "ModuleWriter.h"

int widthFor(TUint32 value) {
    return value <= 0xFF ? 1 : value <= 0xFFFF ? 2 : 4;
}

bool fitsWidth(TUint32 value, int width) {
    return width == 4 || value < (TUint32{1} << (8 * width));
}

namespace {

class Writer {
public:
    explicit Writer(const ModuleImage& anImage) : image(anImage) {}

    std::vector<TUint8> write() {
        bytes.push_back(kModuleIdLength);
        bytes.insert(bytes.end(), image.moduleId.begin(), image.moduleId.end());
        bytes.push_back(kModuleMarker);
        bytes.push_back(kModuleMarker);
        bytes.insert(bytes.end(), image.widths.begin(), image.widths.end());
        writeGlobalFunctions();
        writeClassMethods();
        u32(image.globalSlots);
        writeClasses();
        writeFrames();
        u32(static_cast<TUint32>(image.strings.size()));
        for (const auto& constant : image.strings)
            string(constant.utf8);
        bytes.insert(bytes.end(), image.code.begin(), image.code.end());
        return std::move(bytes);
    }

private:
    void sized(TUint32 value, int width) {
        for (int i = 0; i < width; ++i)
            bytes.push_back(static_cast<TUint8>(value >> (8 * i)));
    }
    void u32(TUint32 value) { sized(value, 4); }
    void field(WidthEntry entry, TUint32 value) { sized(value, image.widths[entry]); }
    void string(const std::string& text) {
        u32(static_cast<TUint32>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
    void indexList(const std::vector<TUint32>& list, int width) {
        u32(static_cast<TUint32>(list.size()));
        for (TUint32 index : list)
            sized(index, width);
    }
    void arrayList(const std::vector<ModuleImage::ArrayIndex>& list, int width) {
        u32(static_cast<TUint32>(list.size()));
        for (const auto& entry : list) {
            bytes.push_back(entry.flag);
            sized(entry.index, width);
        }
    }

    void writeGlobalFunctions() {
        u32(static_cast<TUint32>(image.globalFunctions.size()));
        for (const auto& function : image.globalFunctions) {
            string(function.name);
            field(EWidthCodeOffset, function.codeOffset);
            field(EWidthMethodIndex, function.methodIndex);
        }
    }

    void writeClassMethods() {
        u32(static_cast<TUint32>(image.classMethods.size()));
        for (const auto& method : image.classMethods) {
            string(method.name);
            field(EWidthImplementationCount, static_cast<TUint32>(method.implementations.size()));
            for (const auto& implementation : method.implementations) {
                field(EWidthClassIndex, implementation.classIndex);
                field(EWidthCodeOffset, implementation.codeOffset);
                field(EWidthMethodIndex, implementation.methodIndex);
            }
        }
    }

    void writeClasses() {
        u32(static_cast<TUint32>(image.classes.size()));
        for (const auto& record : image.classes) {
            bytes.push_back(record.fieldIndexWidth);
            indexList(record.referenceFields, record.fieldIndexWidth);
            arrayList(record.arrayFields, record.fieldIndexWidth);
            field(EWidthSuperclassFlag, record.superclassFlag);
            if (record.superclassFlag != 0) field(EWidthClassIndex, record.superclass);
            field(EWidthInterfaceCount, static_cast<TUint32>(record.interfaces.size()));
            for (TUint32 interface : record.interfaces)
                field(EWidthClassIndex, interface);
        }
    }

    void writeFrames() {
        u32(static_cast<TUint32>(image.frames.size()));
        for (const auto& frame : image.frames) {
            const int width = frame.slotIndexWidth;
            bytes.push_back(frame.slotIndexWidth);
            field(EWidthArgumentSlots, frame.argumentSlots);
            indexList(frame.argumentReferenceSlots, width);
            arrayList(frame.argumentArraySlots, width);
            field(EWidthResultSlots, frame.resultSlots);
            field(EWidthLocalSlots, frame.localSlots);
            indexList(frame.localReferenceSlots, width);
            arrayList(frame.localArraySlots, width);
        }
    }

    const ModuleImage& image;
    std::vector<TUint8> bytes;
};

} // namespace

std::vector<TUint8> writeModule(const ModuleImage& image) {
    return Writer(image).write();
}
