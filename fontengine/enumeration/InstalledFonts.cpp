// The installed fonts, learnt from the Windows font registration alone: one record
// per face, with its text metrics and the strings of its file.
#include <memory>
#include <vector>

#include "platform/QlError.h"
#include "core/modMain.h"
#include "fontengine/FaceProbe.h"
#include "fontengine/FontPreview.h"
#include "fontengine/IProgressSink.h"
#include "fontengine/enumeration/EnumerationSource.h"
#include "fontengine/enumeration/ExtendedInfoSteps.h"
#include "fontengine/enumeration/FaceNames.h"
#include "fontengine/enumeration/RegistryValues.h"
#include "fontengine/enumeration/TextMetricsStep.h"
#include "fontengine/qlFonts.h"

using namespace qlEnumeration;

namespace {

const char* kSource = "qlFonts: GetInstalledFonts";

// The sink pumps window messages; a Reload there must not start a second run inside this one.
bool g_running = false;

struct RunGuard {
    RunGuard() { g_running = true; }
    ~RunGuard() { g_running = false; }
};

void LogValueFailure(int32_t number, const std::string& what, const std::string& face, const std::string& path)
{
    modMain::LogError(kSource, number, what + "\r\nFacename: " + face + "\r\nFilename: " + path);
}

// Reports progress; a sink that fails is not asked again, and the run goes on.
void Report(IProgressSink*& sink, int32_t current, int32_t total, const std::string* face,
            const std::string& lastPath)
{
    if (!sink)
        return;
    try {
        if (face)
            sink->ProgressUpdate(current, total, *face);
        else
            sink->ProgressUpdate(current, total);
    } catch (const std::exception& e) {
        LogValueFailure(0, std::string("Progress report failed: ") + e.what(), face ? *face : "", lastPath);
        sink = nullptr;
    } catch (...) {
        LogValueFailure(0, "Progress report failed", face ? *face : "", lastPath);
        sink = nullptr;
    }
}

bool IsOutlineFile(const std::string& ext) { return ext == ".ttf" || ext == ".otf" || ext == ".ttc"; }

}  // namespace

void qlFonts::GetInstalledFonts(IProgressSink* progress)
{
    if (g_running)
        return;
    RunGuard guard;
    try {
        items_ = std::make_shared<Collection>();
        Source source = SourceFor(parent_);
        MetricsContext metrics;

        std::vector<RegistryValue> values = ReadValues(source.root, source.fontsKey);
        const auto total = static_cast<int32_t>(values.size());
        for (int32_t i = 1; i <= total; ++i) {
            const RegistryValue& value = values[static_cast<size_t>(i - 1)];
            // Each value logs and reports its own face and file, empty until derived.
            std::string face, path;
            try {
                if (value.data.empty())
                    throw QlError(5, kSource, "The value " + value.name + " names no file");
                path = IsBareFileName(value.data) ? source.fontFolder + value.data : value.data;
                std::string ext = LowerCase(GetExtensionPart(path));
                std::unique_ptr<FontPreview> file;
                std::string type;
                if (IsOutlineFile(ext)) {
                    // One read gives the face name (the family as GDI keeps it) and the names.
                    file = std::make_unique<FontPreview>();
                    file->AlreadyInstalled(true);
                    file->FontFile(path);
                    face = file->ValidTrueTypeFile() ? fontengine::CutFaceNameAnsi(file->FamilyName()) : "";
                    type = "TrueType";
                } else {
                    face = GetRasterFaceName(value.name);
                    type = "Raster";
                }
                // A face already listed keeps the record of its first file.
                if (!face.empty() && Add(face, 0, "", type, true, path)) {
                    FillTextMetrics(*this, face, metrics, file != nullptr);
                    GetTrueTypeExtInfo(*this, face, false, file.get());
                }
            } catch (const QlError& e) {
                LogValueFailure(e.Number, e.Description, face, path);
            } catch (const std::exception& e) {
                LogValueFailure(0, e.what(), face, path);
            }
            Report(progress, i, total, &face, path);
        }

        std::vector<RegistryValue> type1 = ReadValues(source.root, source.type1Key);
        const auto total1 = static_cast<int32_t>(type1.size());
        for (int32_t i = 1; i <= total1; ++i) {
            const RegistryValue& value = type1[static_cast<size_t>(i - 1)];
            std::string face, path;
            try {
                // Parts: a type letter, the metrics file, the outline file.
                std::vector<std::string> parts;
                for (size_t at = 0;;) {
                    size_t nul = value.data.find('\0', at);
                    parts.push_back(value.data.substr(at, nul == std::string::npos ? nul : nul - at));
                    if (nul == std::string::npos)
                        break;
                    at = nul + 1;
                }
                if (parts.size() < 3 || parts[2].empty())
                    throw QlError(9, kSource, "The Type 1 value " + value.name + " names no outline file");
                path = IsBareFileName(parts[2]) ? source.fontFolder + parts[2] : parts[2];
                face = GetPST1FaceName(value.name);
                if (!face.empty() && Add(face, 0, "", "PostScript", true, path)) {
                    FillTextMetrics(*this, face, metrics, false);
                    GetType1ExtInfo(*this, face);
                }
            } catch (const QlError& e) {
                LogValueFailure(e.Number, e.Description, face, path);
            } catch (const std::exception& e) {
                LogValueFailure(0, e.what(), face, path);
            }
            Report(progress, i, total1, nullptr, path);
        }
    } catch (const QlError& e) {
        LogValueFailure(e.Number, e.Description, "", "");
    } catch (const std::exception& e) {
        LogValueFailure(0, e.what(), "", "");
    }
    SortByFont();
}

bool qlFonts::GetExtendedInfo(const std::string& faceName, bool forceRefresh)
{
    try {
        if (!KeyExists(faceName) || Item(faceName)->FontType() != "TrueType")
            return false;
        return GetTrueTypeExtInfo(*this, faceName, forceRefresh);
    } catch (...) {
        return false;
    }
}
