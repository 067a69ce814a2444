// Guards against a second language breaking the module: German prompts or local keywords not reaching their options, "_" global names not working in German, the language's resource module not found or its absence not reported, and reserved-name questions answered from the wrong forms or folding accented letters differently by input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plandor_runner.h"

namespace {

using plandor_test::dumpField;
using plandor_test::fromFirstCommand;
using plandor_test::runScript;

const std::vector<std::string> kGerman = {"--language", "de", "--webpath", PL_EXAMPLES_DIR "/webs"};

// One session in German local keywords and its twin in "_" global names: every menu of a spot, then every kind.
const std::string kLocal =
    "SPOTLICHT\n0,0,5\n0,0,0\nName\nLampe\nIntensität\n2.5\nStatus\nAus\nKernkegel\n20\nr\n50\n"
    "sChatten\nweichgeSampelt\nForm\nKugel\n3\nAbtastungen\n8\nSichtbar\nJa\nEnde\nc\nWeichgemappt\n512\n11\n4\n"
    "Abschwächung\nTyp\nQuadratisch\ngrenzenVerwenden\nEin\nStartgrenze\n2\nendGrenze\n9\nEnde\n"
    "Photometrie\nIntensität\nLichtstrom\n1000\nFarbe\n?\nglühlampe\nGlühlampe\nEnde\n"
    "Farbe\n256,0,0\nFarbbuch\nCSS Named Colors\nTOMATO\nfiLterfarbe\nIndex\ngrün\nEnde\n"
    "NETZLICHT\n0,0,5\n0,0,0\nneTz\nX\n90\nDatei\ndownlight\nEnde\nEnde\n"
    "LICHT\nSpot\n0,0,5\n0,0,0\nEnde\nLICHT\nPunkt\n0,0,5\nEnde\nLICHT\nRichtung\n\n\nEnde\nLICHT\nNetz\n0,0,5\n0,0,0\n"
    "Ende\nLICHT\nZielpunkt\n0,0,5\n1,0,0\nEnde\nLICHT\nFreierspot\n0,0,5\nEnde\nLICHT\nfrEiesnetz\n0,0,5\nEnde\n"
    "PUNKTLICHT\n0,0,5\nEnde\nRICHTUNGSLICHT\nVektor\n0,3,-4\nEnde\nLIST\n";
const std::string kGlobal =
    "_SPOTLIGHT\n0,0,5\n0,0,0\n_Name\nLampe\n_Intensity\n2.5\n_Status\n_oFf\n_Hotspot\n20\n_f\n50\n_shadoW\n"
    "_softsAmpled\n_Shape\n_Sphere\n3\n_sAmples\n8\n_Visible\n_Yes\n_eXit\n_W\n_soFtmapped\n512\n11\n4\n"
    "_Attenuation\n_attenuationType\n_Squared\n_Uselimits\n_oN\n_attenuationstartLimit\n2\n_attenuationEndlimit\n9\n"
    "_eXit\n_Photometry\n_Intensity\n_Flux\n1000\n_Color\n_Incandescent\n_eXit\n_Color\n256,0,0\n_colorBook\n"
    "CSS Named Colors\nTOMATO\n_filterColor\n_Index\nGreen\n_eXit\n_WEBLIGHT\n0,0,5\n0,0,0\n_weB\n_X\n90\n_File\n"
    "downlight\n_Exit\n_eXit\n_LIGHT\n_Spot\n0,0,5\n0,0,0\n_eXit\n_LIGHT\n_Point\n0,0,5\n_eXit\n_LIGHT\n_Distant\n\n"
    "\n_eXit\n_LIGHT\n_Web\n0,0,5\n0,0,0\n_eXit\n_LIGHT\n_Targetpoint\n0,0,5\n1,0,0\n_eXit\n_LIGHT\n_Freespot\n"
    "0,0,5\n_eXit\n_LIGHT\n_freeweB\n0,0,5\n_eXit\n_POINTLIGHT\n0,0,5\n_eXit\n_DISTANTLIGHT\n_Vector\n0,3,-4\n"
    "_eXit\n";

TEST(ConsoleLanguage, GermanKeywordsAndGlobalNamesEditEveryOption) {
    std::string local, global;
    const plandor_test::Run run = runScript(kLocal, kGerman, &local);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.find("Warning"), std::string::npos) << run.out;
    for (const char* shown : {"Ungültige Weichheit. Geben Sie eine ganze Zahl von 1 bis 10 ein.\n",
                              "Lampenfarbvorgabe zum Auflisten eingeben <*>: glühlampe\n  Glühlampe \n",
                              "Netzdateinamen eingeben oder ~ zum Durchsuchen <", "\nRichtungslicht2  distant "}) {
        EXPECT_NE(run.out.find(shown), std::string::npos) << shown;
    }
    const plandor_test::Run twin = runScript(kGlobal, kGerman, &global);
    EXPECT_EQ(twin.exitCode, 0) << twin.err;
    EXPECT_EQ(global, local);

    const std::pair<const char*, std::string> spot[] = {
        {"name", "\"Lampe\""},
        {"intensity", "2.5"},
        {"on", "false"},
        {"hotspotDeg", "20.0"},
        {"falloffDeg", "50.0"},
        {"color", "{\"method\":\"index\",\"r\":null,\"g\":null,\"b\":null,\"index\":3,\"book\":null,\"name\":null}"},
        {"attenuation", "{\"type\":2,\"useLimits\":true,\"start\":2.0,\"end\":9.0}"},
    };
    for (const auto& [key, value] : spot) EXPECT_EQ(dumpField(local, key).substr(0, value.size()), value) << key;
    EXPECT_EQ(dumpField(local, "rotation", 1), "[90.0,0.0,0.0]") << "the web light's";
    std::string kinds;
    for (std::size_t n = 0; !dumpField(local, "kind", n).empty(); ++n) {
        kinds += dumpField(local, "kind", n) + (dumpField(local, "hasTarget", n) == "true" ? "+ " : "- ");
    }
    EXPECT_EQ(kinds, "3+ 10+ 3+ 2- 1- 10+ 2+ 3- 10- 2- 1- ");
}

TEST(ConsoleLanguage, ReservedNamesAnswerFromTheLanguagesForms) {
    const std::string usage = "Usage: RESERVED TYPE [LOCAL] | IS \"TEXT\" [TYPE] | VIEW \"TEXT\" | TRANSLATE \"TEXT\" LOCAL|GLOBAL.";
    const std::pair<std::string, std::string> questions[] = {
        {"RESERVED 10026", "*Top*"}, {"reserved 10026 local", "*Oben*"}, {"RESERVED 10074", "(none)"},
        {"RESERVED -1 LOCAL", "(none)"}, {"RESERVED 0 LOCAL", "VonLayer"},
        {"RESERVED IS \"glass - clear\"", "true"}, {"RESERVED IS Glass-Clear", "false"},
        {"RESERVED IS Draft 10040", "true"}, {"RESERVED IS Low 10040", "false"}, {"RESERVED IS vonlayer 0", "true"},
        {"RESERVED VIEW \"*oben*\"", "true"}, {"RESERVED VIEW top", "false"},
        {"RESERVED TRANSLATE Mirror LOCAL", "Spiegel"}, {"RESERVED TRANSLATE \"GLAS - KLAR\" global", "Glass - Clear"},
        {"RESERVED TRANSLATE Mirror GLOBAL", "(none)"},
        {"RESERVED IS \"Glas", "The text \"Glas has no closing double quote."}, {"RESERVED VIEW", usage},
        {"RESERVED 99999999999", usage}};
    std::string script, expected;
    for (const auto& [question, answer] : questions) {
        script += question + "\n";
        expected += "Command: " + question + "\n" + answer + "\n";
    }
    const plandor_test::Run run = runScript(script, kGerman);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(fromFirstCommand(run.out), expected);
}

TEST(ConsoleLanguage, AccentedLettersFoldAlikeInAScriptAndFromAPipe) {
    const std::string questions =
        "RESERVED IS \"übernacht-qualität\"\nRESERVED TRANSLATE \"ÜBERNACHT-QUALITÄT\" GLOBAL\n";
    const std::string expected = "Command: RESERVED IS \"übernacht-qualität\"\ntrue\n"
                                 "Command: RESERVED TRANSLATE \"ÜBERNACHT-QUALITÄT\" GLOBAL\nOvernight Quality\n";
    EXPECT_EQ(fromFirstCommand(runScript(questions, kGerman).out), expected) << "a script";
    EXPECT_EQ(fromFirstCommand(plandor_test::runPlandor(kGerman, questions).out), expected) << "a pipe";
}

TEST(ConsoleLanguage, MissingLanguageFallsBackToEnglishWithAWarning) {
    const plandor_test::Run run = runScript("RESERVED 10026 LOCAL\nLIGHT\n^C\n", {"--language", "fr"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
#if defined(_WIN32)
    const std::string file = "PlSceneRes.dll";
#else
    const std::string file = "PlSceneRes.so";
#endif
    const std::string warning =
        "plhost: warning: the resource module \"" + file + "\" is not available in the language \"fr\"";
    EXPECT_EQ(run.err.find(warning), 0u) << run.err;
    EXPECT_EQ(run.err.find("warning", warning.size()), std::string::npos) << "warned once";
    EXPECT_EQ(run.out.find("warning"), std::string::npos) << "on standard error only";
    EXPECT_NE(run.out.find("RESERVED 10026 LOCAL\n*Top*\nCommand: LIGHT\nEnter light type ["), std::string::npos) << run.out;
}

}  // namespace
