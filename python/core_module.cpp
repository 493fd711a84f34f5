// qv3380._core: the program's code for the pure-Python package qv3380, which
// holds the names, the docstrings and the result types. Every call that runs
// the program releases the GIL; the program itself takes one call at a time.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <exception>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/version.h"
#include "bridge/adapter_list.h"
#include "cli/adapter_command.h"
#include "cli/painter.h"
#include "python/chip_calls.h"
#include "python/script_trace.h"
#include "python/setup_calls.h"

namespace py = pybind11;

namespace qv::python {
namespace {

using Release = py::call_guard<py::gil_scoped_release>;

// PNG and PDF for the whole process, as qv3380's main makes them; ended before
// the interpreter ends, so Qt ends in order.
std::unique_ptr<PictureRenderer> g_painter;

const char* ErrorName(Refusal kind) {
  switch (kind) {
    case Refusal::Setting: return "SettingError";
    case Refusal::File: return "FileError";
    case Refusal::Plan: return "PlanError";
    default: return "ChipError";
  }
}

// The exception classes live in the package, with their docstrings.
void Raise(const Refused& refused, const PartlyProgrammed* partial) {
  const py::object type = py::module_::import("qv3380._errors").attr(ErrorName(refused.kind()));
  py::object error = type(refused.what());
  if (partial) {
    error.attr("transfers") = partial->transfers();
    error.attr("reached") = partial->reached();
  }
  PyErr_SetObject(type.ptr(), error.ptr());
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): pybind11's translators take it so.
void TranslateRefusals(std::exception_ptr thrown) {
  try {
    if (thrown) std::rethrow_exception(thrown);
  } catch (const PartlyProgrammed& partial) {
    Raise(partial, &partial);
  } catch (const Refused& refused) {
    Raise(refused, nullptr);
  }
}

// Plain values, so that pybind11 converts them after the call, with the GIL held again.
auto Outcome(PlannerOutcome outcome) {
  return std::make_tuple(std::move(outcome.document), std::move(outcome.report), outcome.status,
                         std::move(outcome.applied));
}

py::list Registers(const SetupState& setup) {
  py::list rows;
  for (int i = 0; i < REGISTER_COUNT; ++i) {
    rows.append(py::make_tuple(std::string(kRegisters[i].name), kRegisters[i].address,
                               setup.contents.registers[i]));
  }
  return rows;
}

py::list TransferRows(const std::vector<Transfer>& transfers) {
  py::list rows;
  for (const Transfer& transfer : transfers) {
    rows.append(py::make_tuple(transfer.kind == Transfer::Kind::Write ? "write" : "read",
                               transfer.address, transfer.value, transfer.result));
  }
  return rows;
}

void DefineSetupState(py::module_& m) {
  py::class_<SetupState>(m, "SetupState", "One configuration as the program holds it.")
      .def("registers", &Registers, "(name, address, value) in register-table order")
      .def_property_readonly("pins",
                             [](const SetupState& s) {
                               const auto& p = s.contents.pins;
                               return py::make_tuple(p[0], p[1], p[2], p[3]);
                             })
      .def_property_readonly("crystal_index",
                             [](const SetupState& s) { return s.contents.crystalIndex; })
      .def_property_readonly("refclk_mhz",
                             [](const SetupState& s) { return s.contents.externalRefclkMHz; })
      .def_property_readonly("file",
                             [](const SetupState& s) -> std::optional<std::string> {
                               const std::string& file = s.origin.saved.file;
                               if (file.empty()) return std::nullopt;
                               return file;
                             })
      .def("same_configuration",
           [](const SetupState& a, const SetupState& b) { return a.contents == b.contents; });
}

void DefineSetupCalls(py::module_& m) {
  m.def("new_setup", &NewSetup, Release());
  m.def("load_setup", &LoadSetup, Release());
  m.def("setup_from_text", &SetupFromText, Release());
  m.def(
      "apply_settings",
      [](const SetupState& setup, const std::vector<std::pair<std::string, std::string>>& pairs) {
        std::vector<cli::ControlSetting> settings;
        settings.reserve(pairs.size());
        for (const auto& [control, value] : pairs) settings.push_back({control, value});
        return ApplySettings(setup, settings);
      },
      Release());
  m.def("control_value", &ControlValue, Release());
  m.def("setup_text", &SetupText, Release());
  m.def("save_setup", &SaveSetup, Release());
  m.def("json_definition", &JsonDefinition, Release());
  m.def("plan_document", &PlanDocumentText, Release());
  m.def("plan_report", &PlanReportText, Release());
  m.def("plan_failures", &FailuresText, Release());
  m.def(
      "solve",
      [](const SetupState& setup, const std::array<std::optional<double>, OUTPUT_COUNT>& targetsHz,
         std::optional<int> map, double preferIntegerWithinPpm) {
        return Outcome(Solve(setup, targetsHz, map, preferIntegerWithinPpm));
      },
      Release());
  m.def(
      "spread_spectrum",
      [](const SetupState& setup, std::optional<std::pair<double, double>> downspreadAndFmodHz,
         std::optional<int> map) {
        return Outcome(SpreadSpectrum(setup, downspreadAndFmodHz, map));
      },
      Release());
  m.def(
      "diff",
      [](const SetupState& before, const SetupState& after, const std::string& beforeName,
         const std::string& afterName) {
        DiffOutcome outcome = Diff(before, after, beforeName, afterName);
        return std::make_tuple(std::move(outcome.document), std::move(outcome.text),
                               std::move(outcome.fieldLines));
      },
      Release());
  m.def("export", [](const SetupState& setup, const std::string& format, bool force,
                     const std::string& i2cBusLabel, int ubootBus, bool provenance) {
    const ExportOptions options{i2cBusLabel, ubootBus, provenance};
    std::string bytes;
    {
      const py::gil_scoped_release released;
      bytes = ExportText(setup, format, force, options);
    }
    return py::bytes(bytes);
  });
  m.def("report", [](const SetupState& setup, const std::string& path, const std::string& format,
                     std::optional<int> map, const std::string& source) {
    std::string bytes;
    {
      const py::gil_scoped_release release;
      bytes = Report(setup, path, format, map, source);
    }
    return py::bytes(bytes);
  });
}

void DefineChip(py::module_& m) {
  py::class_<ChipLink>(m, "ChipLink", "One chip, through an adapter or simulated.")
      .def(py::init<std::string>())
      .def_property_readonly("adapter", &ChipLink::adapter)
      .def_property_readonly("simulated", &ChipLink::simulated)
      .def("check", &ChipLink::Check, Release())
      .def("apply", &ChipLink::Apply, Release())
      .def("read", &ChipLink::Read, Release())
      .def(
          "verify",
          [](ChipLink& link, const SetupState& expected, const std::string& name) {
            Verification v = link.Verify(expected, name);
            return std::make_tuple(std::move(v.fieldsDocument), std::move(v.lines),
                                   std::move(v.summary));
          },
          Release())
      .def("transfers", [](const ChipLink& link) { return TransferRows(link.Transfers()); });
  m.def(
      "adapters_document",
      [] {
        const std::vector<bridge::AdapterFacts> adapters = bridge::ListAdapters();
        return cli::AdaptersJson(adapters).dump(-1, ' ', true, cli::Json::error_handler_t::replace);
      },
      Release());
  m.def(
      "adapters_text", [] { return cli::AdaptersText(bridge::ListAdapters()); }, Release());
}

void DefineTrace(py::module_& m) {
  m.def("trace_to", &TraceTo, Release(), "the trace into this file from now on; empty ends it");
  m.def("trace_path", &TracePath, Release(), "where the trace goes; empty while it is off");
}

}  // namespace
}  // namespace qv::python

PYBIND11_MODULE(_core, m) {
  using namespace qv::python;
  m.doc() = "The compiled core of the qv3380 package; use qv3380 itself.";
  m.attr("TOOL_VERSION") = std::string(qv::kToolVersion);
  m.attr("SIMULATED_ADAPTER") = SIMULATED_ADAPTER;
  py::register_exception_translator(&TranslateRefusals);
  g_painter = qv::cli::MakePainter();
  qv::InstallPictureRenderer(g_painter.get());
  py::module_::import("atexit").attr("register")(py::cpp_function([] {
    qv::InstallPictureRenderer(nullptr);
    g_painter.reset();
    EndScriptTrace();
  }));
  DefineSetupState(m);
  DefineSetupCalls(m);
  DefineChip(m);
  DefineTrace(m);
}
