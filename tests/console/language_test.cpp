// Guards against a second language breaking the module: German prompts or local keywords not reaching their options, "_" global names working in one language only, the language's resource module not found or its absence not reported, and reserved-name questions answered from the wrong forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plandor_runner.h"

namespace {

using plandor_test::dumpField;
using plandor_test::fromFirstCommand;
using plandor_test::runScript;
using plandor_test::runScriptWithDump;

const std::vector<std::string> kGerman = {"--language", "de"};

struct Field {
    const char* key;
    std::size_t nth;  ///< which value of that key in the dump (a light has two "name"s: its own, its colour's)
    std::string value;
};

/// A session in German local keywords and its twin in "_" global names; the
/// twin runs in German and in English. All three leave the same values.
struct LanguageCase {
    std::string german;
    std::string global;
    std::vector<Field> fields;
    const char* shown;  ///< a text the German session's transcript holds
    std::vector<std::string> options = {};  ///< given to plandor besides the language
};

const std::string kSpot = "SPOTLICHT\n0,0,5\n0,0,0\n";
const std::string kGlobalSpot = "_SPOTLIGHT\n0,0,5\n0,0,0\n";
const std::string kWeb = "NETZLICHT\n0,0,5\n0,0,0\n";
const std::string kGlobalWeb = "_WEBLIGHT\n0,0,5\n0,0,0\n";

/// Each light's kind and whether it has a target ("3+": a spot with one), first made first.
std::vector<Field> lightsOfKinds(const std::vector<std::string>& kinds) {
    std::vector<Field> fields;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        fields.push_back({"kind", i, kinds[i].substr(0, kinds[i].size() - 1)});
        fields.push_back({"hasTarget", i, kinds[i].back() == '+' ? "true" : "false"});
    }
    return fields;
}

const LanguageCase kCases[] = {
    {"LICHT\nSpot\n0,0,5\n0,0,0\nEnde\nLICHT\nPunkt\n0,0,5\nEnde\nLICHT\nRichtung\n\n\nEnde\nLICHT\nNetz\n0,0,5\n0,0,0\n"
     "Ende\nLICHT\nZielpunkt\n0,0,5\n1,0,0\nEnde\nLICHT\nFreierspot\n0,0,5\nEnde\nLICHT\nfrEiesnetz\n0,0,5\nEnde\n" +
         kSpot + "Ende\nPUNKTLICHT\n0,0,5\nEnde\nZIELPUNKTLICHT\n0,0,5\n1,0,0\nEnde\nFREIERSPOT\n0,0,5\nEnde\n"
                 "NETZLICHT\n0,0,5\n0,0,0\nEnde\nFREIESNETZ\n0,0,5\nEnde\nRICHTUNGSLICHT\nVektor\n0,3,-4\nEnde\nLIST\n",
     "_LIGHT\n_Spot\n0,0,5\n0,0,0\n_eXit\n_LIGHT\n_Point\n0,0,5\n_eXit\n_LIGHT\n_Distant\n\n\n_eXit\n_LIGHT\n_Web\n0,0,5\n"
     "0,0,0\n_eXit\n_LIGHT\n_Targetpoint\n0,0,5\n1,0,0\n_eXit\n_LIGHT\n_Freespot\n0,0,5\n_eXit\n_LIGHT\n_freeweB\n0,0,5\n"
     "_eXit\n" + kGlobalSpot + "_eXit\n_POINTLIGHT\n0,0,5\n_eXit\n_TARGETPOINT\n0,0,5\n1,0,0\n_eXit\n_FREESPOT\n0,0,5\n"
     "_eXit\n_WEBLIGHT\n0,0,5\n0,0,0\n_eXit\n_FREEWEB\n0,0,5\n_eXit\n_DISTANTLIGHT\n_Vector\n0,3,-4\n_eXit\n",
     lightsOfKinds({"3+", "2-", "1-", "10+", "2+", "3-", "10-", "3+", "2-", "2+", "3-", "10+", "10-", "1-"}),
     "\nRichtungslicht2  distant "},
    {kSpot + "Name\nLampe\nIntensität\n2.5\nStatus\nAus\nKernkegel\n20\nr\n50\nEnde\n",
     kGlobalSpot + "_Name\nLampe\n_Intensity\n2.5\n_Status\n_oFf\n_Hotspot\n20\n_f\n50\n_X\n",
     {{"name", 0, "\"Lampe\""}, {"intensity", 0, "2.5"}, {"on", 0, "false"}, {"hotspotDeg", 0, "20.0"},
      {"falloffDeg", 0, "50.0"}},
     "Kernkegelwinkel eingeben (0.00-160.00) <"},
    {kSpot + "sChatten\nweichgeSampelt\nForm\nKugel\n3\nAbtastungen\n8\nSichtbar\nJa\nEnde\nc\nWeichgemappt\n512\n11\n4\n"
             "Ende\n",
     kGlobalSpot + "_shadoW\n_softsAmpled\n_Shape\n_Sphere\n3\n_sAmples\n8\n_Visible\n_Yes\n_eXit\n"
                   "_W\n_soFtmapped\n512\n4\n_eXit\n",
     {{"shadow", 0,
       "{\"on\": true, \"type\": 1, \"mapSize\": 512, \"softness\": 4, \"shape\": 4, \"length\": 1.0, \"width\": 1.0, "
       "\"radius\": 3.0, \"samples\": 8, \"visible\": true}"}},
     "Ungültige Weichheit. Geben Sie eine ganze Zahl von 1 bis 10 ein.\n"},
    {kSpot + "Abschwächung\nTyp\nQuadratisch\ngrenzenVerwenden\nEin\nStartgrenze\n2\nendGrenze\n9\nEnde\nEnde\n",
     kGlobalSpot + "_Attenuation\n_attenuationType\n_Squared\n_Uselimits\n_oN\n_attenuationstartLimit\n2\n"
                   "_attenuationEndlimit\n9\n_eXit\n_eXit\n",
     {{"attenuation", 0, "{\"type\": 2, \"useLimits\": true, \"start\": 2.0, \"end\": 9.0}"}},
     "Abschwächungstyp eingeben [Keine/Invers/Quadratisch] <Keine>: "},
    {kSpot + "Photometrie\nIntensität\nLichtstrom\n1000\nFarbe\n?\nglühlampe\nGlühlampe\nEnde\nEnde\n",
     kGlobalSpot + "_Photometry\n_Intensity\n_Flux\n1000\n_Color\n_Incandescent\n_eXit\n_eXit\n",
     {{"intensity", 1, "1000.0"}, {"method", 1, "1"}, {"lampColorType", 0, "1"}, {"lampColorTemp", 0, "3500.0"},
      {"lampColorPreset", 0, "5"}},
     "Lampenfarbvorgabe zum Auflisten eingeben <*>: glühlampe\n  Glühlampe \n"},
    {kSpot + "Farbe\n256,0,0\nFarbbuch\nCSS Named Colors\nTOMATO\nfiLterfarbe\nIndex\ngrün\nEnde\n",
     kGlobalSpot + "_Color\n256,0,0\n_colorBook\nCSS Named Colors\nTOMATO\n_filterColor\n_Index\nGreen\n_eXit\n",
     {{"color", 0, "{\"method\": \"index\", \"r\": null, \"g\": null, \"b\": null, \"index\": 3, \"book\": null, \"name\": null}"}},
     "Ungültige Farbe. Geben Sie Rot, Grün und Blau als drei Zahlen von 0 bis 255 durch Kommas getrennt ein.\n"},
    {kSpot + "Farbe\nFarbbuch\ncss named colors\ntomato\nEnde\n",
     kGlobalSpot + "_Color\n_colorBook\ncss named colors\ntomato\n_eXit\n",
     {{"color", 0, "{\"method\": \"book\", \"r\": 255, \"g\": 99, \"b\": 71, \"index\": null, "
                   "\"book\": \"CSS Named Colors\", \"name\": \"tomato\"}"}},
     "Farbbuchnamen eingeben: css named colors\nFarbnamen eingeben: tomato\n"},
    {kWeb + "neTz\nX\n90\nDatei\ndownlight\nEnde\nEnde\n",
     kGlobalWeb + "_weB\n_X\n90\n_File\ndownlight\n_Exit\n_eXit\n",
     {{"rotation", 0, "[90.0, 0.0, 0.0]"}},
     "Netzdateinamen eingeben oder ~ zum Durchsuchen <",
     {"--webpath", PL_EXAMPLES_DIR "/webs"}},
};

TEST(ConsoleLanguage, GermanSessionsEditEveryOption) {
    for (const LanguageCase& c : kCases) {
        const std::pair<const std::string*, const char*> runs[] = {{&c.german, "de"}, {&c.global, "de"}, {&c.global, "en"}};
        for (const auto& [script, language] : runs) {
            SCOPED_TRACE(language + std::string(":\n") + *script);
            std::string dump;
            std::vector<std::string> options = {"--language", language};
            options.insert(options.end(), c.options.begin(), c.options.end());
            const plandor_test::Run run = runScriptWithDump(*script, dump, options);
            EXPECT_EQ(run.exitCode, 0) << run.err;
            EXPECT_EQ(run.out.find("Warning"), std::string::npos) << run.out;
            if (script == &c.german) {
                EXPECT_NE(run.out.find(c.shown), std::string::npos) << run.out;
            }
            for (const Field& f : c.fields) EXPECT_EQ(dumpField(dump, f.key, f.nth), f.value) << f.key << " " << f.nth;
        }
    }
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

TEST(ConsoleLanguage, MissingLanguageFallsBackToEnglishWithAWarning) {
    const plandor_test::Run run = runScript("RESERVED 10026 LOCAL\nLIGHT\n^C\n", {"--language", "fr"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Warning: the resource module \"PlSceneRes.dll\" is not available in the language \"fr\""),
              std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Warning", run.out.find("Warning") + 1), std::string::npos) << "warned once";
    EXPECT_NE(run.out.find("RESERVED 10026 LOCAL\n*Top*\nCommand: LIGHT\nEnter light type ["), std::string::npos) << run.out;
}

}  // namespace
