// The program's --analyse on data files that the program itself wrote in dry runs on the
// simulator, whose device settings are the true values; and what it refuses, with which exit
// status, as a lab script sees it.

#include "analysis/method.h"
#include "settings/ini_document.h"
#include "support/sim_library.h"
#include "support/temp_folder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using testsupport::fileText;
using testsupport::putFile;

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

fs::path program() {
    return testsupport::buildDir() / "bin" / "tarvix4140";
}

class AnalysedRun : public testing::Test {
protected:
    // A dry run of a shipped example with some of its panel settings changed, on a simulator
    // set up by the INI text, into NAME.txt.
    fs::path dryRun(const std::string& example,
                    const std::vector<std::pair<std::string, std::string>>& panel,
                    const std::string& simulator, const std::string& name) {
        const fs::path shipped = testsupport::buildDir() / "share" / "tarvix-4140" / "config";
        settings::IniDocument config(fileText(shipped / example));
        for (const auto& [key, value] : panel)
            config.setValue("FORM", key, value);
        putFile(folder / (name + ".ini"), config.text());
        putFile(folder / "sim.ini", simulator);
        const fs::path data = folder / (name + ".txt");
        EXPECT_EQ(shell("TARVIX_GPIBSIM_CONFIG=" + quoted(folder / "sim.ini") + " " +
                        quoted(program()) + " --app-dir " + quoted(folder / "program") +
                        " --driver sim --dry-run --run " + quoted(folder / (name + ".ini")) +
                        " --data " + quoted(data)),
                  0)
            << errors();
        return data;
    }

    // --analyse with the arguments; the key=value lines land in values.
    int analyse(const fs::path& data, const std::string& arguments) {
        const int status = shell(quoted(program()) + " --analyse " + quoted(data) + " " +
                                 arguments + " >" + quoted(folder / "out.txt"));
        values.clear();
        std::istringstream out(fileText(folder / "out.txt"));
        for (std::string line; std::getline(out, line);) {
            const auto equals = line.find('=');
            EXPECT_NE(equals, std::string::npos) << line;
            values[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return status;
    }

    double number(const std::string& key) const {
        const auto value = values.find(key);
        return value == values.end() ? NAN : std::stod(value->second);
    }

    std::string errors() const { return fileText(folder / "stderr.txt"); }

    int shell(const std::string& command) const {
        const int status = std::system((command + " 2>" + quoted(folder / "stderr.txt")).c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    testsupport::TempFolder folder;
    std::map<std::string, std::string> values;
};

// Rs needs currents where it drops a good share of the bias: the 1e-2 A limit (the example's)
// and a sweep to 1.5 V in 10 mV steps, slow enough for every reading to be polled.
TEST_F(AnalysedRun, ADiodeWithSeriesResistanceGivesBackItsSettings) {
    const fs::path iv =
        dryRun("IV_diode_sweep.ini",
               {{"txtConfig(1)", "1.5"}, {"txtConfig(2)", "0.01"}, {"txtConfig(5)", "0.02"}},
               "[model]\nseries_resistance = 50\n", "diode");
    ASSERT_EQ(analyse(iv, "--method diode --from 0.2"), 0) << errors();
    EXPECT_EQ(values["method"], "diode");
    EXPECT_EQ(values["function"], "I-V");
    EXPECT_EQ(values["from_V"], "0.2");
    EXPECT_EQ(values["temperature_K"], "300");
    EXPECT_NEAR(number("n") / 1.5, 1.0, 0.01);
    EXPECT_NEAR(number("Is_A") / 1e-13, 1.0, 0.05);
    EXPECT_NEAR(number("Rs_ohm") / 50.0, 1.0, 0.05);
    EXPECT_EQ(values["Rsh_ohm"],
              "not determined: the shunt carries no measurable share of the current in the "
              "window");
    EXPECT_NEAR(number("n_semilog") / 1.5, 1.0, 0.02);
    EXPECT_NEAR(number("Rs_cheung_ohm") / 50.0, 1.0, 0.1);
    EXPECT_GT(number("r2"), 0.9999);
    EXPECT_EQ(number("readings"), 129); // 0.2 V to 1.48 V: the last two are at the limit

    ASSERT_EQ(analyse(iv, "--method breakdown --threshold 1e-3"), 0) << errors();
    // 1 mA flows at n·kT/q·ln(1 + 1 mA/Is) across the junction and 50 mV across Rs.
    EXPECT_NEAR(number("Vbr_V"), 1.5 * 0.025852 * std::log1p(1e-3 / 1e-13) + 0.05, 0.005);
    EXPECT_EQ(values["at_limit"], "yes");
    ASSERT_EQ(analyse(iv, "--method leakage --at 0.405"), 0) << errors();
    EXPECT_NEAR(number("I_A") / (1e-13 * std::expm1(0.405 / (1.5 * 0.025852))), 1.0, 0.01);

    EXPECT_EQ(analyse(iv, "--method mos --area 1e-3"), 2);
    EXPECT_NE(errors().find(": the mos method fits capacitance against voltage (C-V); these "
                            "readings are current against voltage (I-V)\n"),
              std::string::npos)
        << errors();
    EXPECT_EQ(analyse(iv, "--method diode --from 0.2 --to 0.23"), 2);
    EXPECT_NE(errors().find("the window holds 4 forward readings; the diode method needs at "
                            "least 5"),
              std::string::npos)
        << errors();
    EXPECT_TRUE(values.empty());
}

TEST_F(AnalysedRun, TheRelaxationTimeAndTheMosCapacitorsDopingAndFlatBandComeBack) {
    // The example holds 5 V for a minute: I = 5 V/1e14 ohm + 1e-11 A/V·5 V·exp(−t/10 s).
    const fs::path i = dryRun("I_current_vs_time.ini", {}, "", "relaxation");
    ASSERT_EQ(analyse(i, "--method decay"), 0) << errors();
    EXPECT_EQ(values["function"], "I");
    EXPECT_NEAR(number("tau_s") / 10.0, 1.0, 0.02);
    EXPECT_NEAR(number("A_A") / 5e-11, 1.0, 0.05);

    // A quasi-static sweep from −3 V to 3 V and back in 20 mV steps at 50 mV/s.
    const fs::path cv = dryRun("CV_mos_capacitor.ini",
                               {{"txtConfig(0)", "-3"},
                                {"txtConfig(1)", "3"},
                                {"txtConfig(2)", "0.02"},
                                {"txtConfig(5)", "0.05"}},
                               "[model]\nkind = mos\ndoping_type = p\ndoping_density = 1e16\n"
                               "oxide_thickness = 20e-9\narea = 1e-3\nflat_band_voltage = -0.8\n",
                               "mos");
    ASSERT_EQ(analyse(cv, "--method mos --area 1e-3 --type p"), 0) << errors();
    EXPECT_NEAR(number("N_cm3") / 1e16, 1.0, 0.1);
    EXPECT_NEAR(number("Vfb_V"), -0.8, 0.03);
    EXPECT_NEAR(number("tox_m") / 20e-9, 1.0, 0.05);
    for (const char* key : {"Cox_F", "Cmin_F", "Cfb_F", "r2", "area_cm2", "eps_ox", "eps_s"})
        EXPECT_EQ(values.count(key), 1u) << key;
    EXPECT_EQ(values["type"], "p");
    EXPECT_EQ(analyse(cv, "--method mott-schottky"), 2); // needs the area
    EXPECT_NE(errors().find("needs the device's area"), std::string::npos) << errors();
}

TEST_F(AnalysedRun, AFileThatCannotBeReadEndsWithOneAndABadMethodWithTwo) {
    putFile(folder / "other.txt", "Index\tTime\n1\t2\n");
    putFile(folder / "empty.txt",
            "Index\tTime\tMeasurement\tVoltage\tUnits\tAt Current Limit\tRaw Data\r\n");
    EXPECT_EQ(analyse(folder / "missing.txt", "--method diode"), 1);
    EXPECT_NE(errors().find("53: File not found"), std::string::npos) << errors();
    EXPECT_EQ(analyse(folder / "other.txt", "--method diode"), 1);
    EXPECT_NE(errors().find("321: "), std::string::npos) << errors();
    EXPECT_EQ(analyse(folder / "empty.txt", "--method diode"), 2);
    EXPECT_NE(errors().find("holds no reading with a value"), std::string::npos) << errors();
    EXPECT_EQ(analyse(folder / "empty.txt", "--method fit"), 2);
    EXPECT_EQ(analyse(folder / "empty.txt", "--method diode --type q"), 2);

    // The help names every method there is.
    EXPECT_EQ(shell(quoted(program()) + " --help >" + quoted(folder / "help.txt")), 0);
    for (const auto curve : {analysis::Curve::CurrentTime, analysis::Curve::CurrentVoltage,
                             analysis::Curve::CapacitanceVoltage})
        for (const analysis::Method method : analysis::methodsFor(curve))
            EXPECT_NE(fileText(folder / "help.txt").find(analysis::methodName(method)),
                      std::string::npos)
                << analysis::methodName(method);
}

} // namespace
