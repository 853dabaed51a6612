#include "image_builder.h"

#include <stdio.h>

#include <filesystem>

#include "coff_object.h"
#include "entry_names.h"
#include "file_io.h"
#include "image_dump.h"
#include "image_linker.h"
#include "image_output.h"
#include "manifest.h"

namespace qlimage {

namespace {

bool ReadObjects(const std::vector<std::string>& paths, std::vector<CoffObject>& out, Diagnostics& diagnostics) {
  bool ok = true;
  for (const std::string& path : paths) {
    Bytes bytes;
    CoffObject object;
    if (ReadWholeFile(path, bytes, diagnostics) && ReadCoffObject(path, bytes, object, diagnostics)) {
      out.push_back(std::move(object));
    } else {
      ok = false;
    }
  }
  return ok;
}

bool ReadManifest(const std::string& path, Manifest& out, Diagnostics& diagnostics) {
  if (path.empty()) return true;
  Bytes bytes;
  if (!ReadWholeFile(path, bytes, diagnostics)) return false;
  std::string folder = std::filesystem::path(path).parent_path().string();
  return ParseManifest(path, std::string(bytes.begin(), bytes.end()), folder, out, diagnostics);
}

void PrintErrors(const Diagnostics& diagnostics) {
  for (const std::string& error : diagnostics.Errors()) fprintf(stderr, "quillon-image: %s\n", error.c_str());
}

const char* kUsage =
    "usage: quillon-image --entry-points PATH [--manifest FILE] [--dev-dir DIR]\n"
    "                     [--append-to RUNTIME.exe -o OUT.exe] OBJECT.o...\n"
    "       quillon-image --dump EXE-OR-DEV-DIR [--machine i386|amd64]\n";

}  // namespace

bool BuildImage(const BuildRequest& request, Image& image, Diagnostics& diagnostics) {
  std::vector<CoffObject> objects;
  Manifest manifest;
  EntryNames names;
  bool ok = ReadObjects(request.objects, objects, diagnostics);
  ok = ReadManifest(request.manifest, manifest, diagnostics) && ok;
  ok = ReadEntryNames(request.entryPoints, names, diagnostics) && ok;
  if (!ok) return false;
  ok = LinkImage(objects, manifest, names, image, diagnostics);
  ok = BuildResourceSection(manifest, image.rsrc, diagnostics) && ok;
  image.options = BuildOptionsSection(manifest);
  return ok;
}

bool RunBuild(const BuildRequest& request, Diagnostics& diagnostics) {
  Image image;
  if (!BuildImage(request, image, diagnostics)) return false;
  Bytes executable;
  if (!request.appendTo.empty()) {
    Bytes runtime;
    if (!ReadWholeFile(request.appendTo, runtime, diagnostics) ||
        !AppendToRuntime(request.appendTo, runtime, image, executable, diagnostics))
      return false;
  }
  bool ok = true;
  if (!request.devDir.empty()) ok = WriteDevelopmentFiles(request.devDir, image, diagnostics);
  if (!request.appendTo.empty()) {
    ok = WriteWholeFile(request.output, executable, diagnostics) && ok;
    std::error_code error;
    std::filesystem::permissions(request.output, std::filesystem::status(request.appendTo, error).permissions(),
                                 error);
  }
  return ok;
}

int RunCommandLine(const std::vector<std::string>& arguments) {
  BuildRequest request;
  std::string dump;
  Machine machine = Machine::Amd64;
  Diagnostics diagnostics;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= arguments.size()) {
        diagnostics.Error(a + " needs a value");
        return;
      }
      out = arguments[++i];
    };
    if (a == "--manifest") value(request.manifest);
    else if (a == "--entry-points") value(request.entryPoints);
    else if (a == "--dev-dir") value(request.devDir);
    else if (a == "--append-to") value(request.appendTo);
    else if (a == "-o") value(request.output);
    else if (a == "--dump") value(dump);
    else if (a == "--machine") {
      std::string m;
      value(m);
      if (m == "i386") machine = Machine::I386;
      else if (m == "amd64") machine = Machine::Amd64;
      else diagnostics.Error("--machine takes i386 or amd64");
    } else if (a == "--help" || a == "-h") {
      fputs(kUsage, stdout);
      return 0;
    } else if (!a.empty() && a[0] == '-') {
      diagnostics.Error("unknown option " + a);
    } else {
      request.objects.push_back(a);
    }
  }
  if (!diagnostics.HasErrors() && dump.empty()) {
    if (request.entryPoints.empty()) diagnostics.Error("--entry-points is required");
    if (request.objects.empty()) diagnostics.Error("no objects given");
    if (request.appendTo.empty() != request.output.empty()) diagnostics.Error("--append-to and -o go together");
    if (request.appendTo.empty() && request.devDir.empty()) diagnostics.Error("no output: give --dev-dir or --append-to");
  }
  if (diagnostics.HasErrors()) {
    PrintErrors(diagnostics);
    fputs(kUsage, stderr);
    return 1;
  }
  if (!dump.empty()) {
    Image image;
    if (!ReadImage(dump, machine, image, diagnostics)) {
      PrintErrors(diagnostics);
      return 1;
    }
    std::string listing = DumpImage(image, diagnostics);
    fputs(listing.c_str(), stdout);
    PrintErrors(diagnostics);
    return diagnostics.HasErrors() ? 1 : 0;
  }
  if (!RunBuild(request, diagnostics)) {
    PrintErrors(diagnostics);
    return 1;
  }
  return 0;
}

}  // namespace qlimage
