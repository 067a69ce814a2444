'use strict';
// Runs the Khronos glTF validator over the files named on the command line: for each, the
// numbers of errors, warnings, infos and hints and every message. Exit status 1 when any
// file has an error or a warning (or cannot be read), 0 otherwise.
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');

const kSeverity = ['error', 'warning', 'info', 'hint'];

async function validate(file) {
  const folder = path.dirname(file);
  const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
    uri: path.basename(file),
    maxIssues: 0,  // all of them
    externalResourceFunction: (uri) =>
      fs.promises.readFile(path.join(folder, decodeURIComponent(uri))).then((data) => new Uint8Array(data)),
  });
  const issues = report.issues;
  console.log(`${file}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
              `${issues.numInfos} infos, ${issues.numHints} hints (validator ${report.validatorVersion})`);
  for (const m of issues.messages) {
    console.log(`  ${kSeverity[m.severity] ?? m.severity} ${m.code} ${m.pointer ?? ''}: ${m.message}`);
  }
  return issues.numErrors === 0 && issues.numWarnings === 0;
}

(async () => {
  const files = process.argv.slice(2);
  if (files.length === 0) {
    console.error('usage: node validate.cjs FILE.gltf|FILE.glb ...');
    process.exit(2);
  }
  let clean = true;
  for (const file of files) {
    try {
      clean = (await validate(file)) && clean;
    } catch (error) {
      console.error(`${file}: cannot be validated: ${error}`);
      clean = false;
    }
  }
  process.exit(clean ? 0 : 1);
})();
