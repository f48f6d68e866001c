// Plays a script through a program built for the web, under node on the
// headless display: the page's own PROGRAM.js and PROGRAM.wasm, started as the
// page starts them, with QZ370.SCR put in their file system and played from
// the first wait to the end, as QZ370_PLAY=1 plays it natively.
//   node play_under_node.js PROGRAM.js SCRIPT
// The program's own frame line (QZ370_FRAMES=1) goes to standard error as it
// is printed, then one of this runner's: frames, seconds from loading the
// program to its end, and frames a second. The exit status is the program's.
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const FRAMES_LINE = /: (\d+) frames shown, ending on [0-9a-f]{16}$/;

function usage() {
  console.error('usage: node play_under_node.js PROGRAM.js SCRIPT');
  process.exit(2);
}

function main() {
  const [programFile, scriptFile] = process.argv.slice(2);
  if (!programFile || !scriptFile) usage();
  const name = path.basename(programFile, '.js');
  const script = fs.readFileSync(scriptFile);
  const started = process.hrtime.bigint();
  let frames = null;

  const Module = {
    thisProgram: name,
    arguments: [],
    // Given, not fetched: node's fetch takes no file paths.
    wasmBinary: fs.readFileSync(programFile.replace(/\.js$/, '.wasm')),
    preRun: [function() {
      Module.FS.writeFile('QZ370.SCR', script);
      Object.assign(Module.ENV, {QZ370_DISPLAY: 'headless', QZ370_PLAY: '1', QZ370_FRAMES: '1'});
    }],
    print: function(text) { console.log(text); },
    printErr: function(text) {
      const counted = FRAMES_LINE.exec(text);
      if (counted) frames = Number(counted[1]);
      console.error(text);
    },
    onExit: function(status) {
      const seconds = Number(process.hrtime.bigint() - started) / 1e9;
      if (frames === null) {
        console.error(`play_under_node: ${name} ended with status ${status} without counting its frames`);
        return;
      }
      console.error(`play_under_node: ${frames} frames in ${seconds.toFixed(3)} s ` +
                    `(${Math.round(frames / seconds)} frames/s)`);
    },
  };

  // Run as the page runs it, where the program's script sees the Module the
  // page made.
  const load = vm.compileFunction(fs.readFileSync(programFile, 'utf8'), ['Module', 'require', '__dirname'],
                                  {filename: path.resolve(programFile)});
  load(Module, require, path.dirname(path.resolve(programFile)));
}

main();
