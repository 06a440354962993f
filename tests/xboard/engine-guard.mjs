#!/usr/bin/env node
// Runs an engine for xboard and records how it ended, because xboard does not
// notice an engine that dies during a game (it is then only seen to lose on
// time) nor one that crashes at the end of the match.
//
//   node engine-guard.mjs STATUS-FILE PROGRAM [ARGS...]
//
// The engine shares the guard's standard input and output, so xboard talks to
// it directly. Signals that xboard sends the guard (SIGINT before each move it
// relays, SIGTERM when it shuts the engine down) are passed on, so the engine
// sees what it would see without the guard. STATUS-FILE gets a line
// "start GUARD-PID ENGINE-PID: COMMAND" when the engine starts and one line
// "end GUARD-PID VERDICT: ..." when it ends: VERDICT is "ok" when it exited
// with status 0 or was ended by a signal other than SIGINT sent to it from
// outside, "FAIL" otherwise.

import { spawn } from 'node:child_process';
import { appendFileSync } from 'node:fs';

const [statusFile, program, ...args] = process.argv.slice(2);
if (!statusFile || !program) {
    console.error('usage: engine-guard.mjs STATUS-FILE PROGRAM [ARGS...]');
    process.exit(2);
}

const started = Date.now();
const name = [program, ...args].join(' ');
const record = (line) => appendFileSync(statusFile, `end ${process.pid} ${line}: ${name} (after ${((Date.now() - started) / 1000).toFixed(1)}s)\n`);

const child = spawn(program, args, { stdio: 'inherit' });
// The process ids let the caller end an engine that outlives the match.
appendFileSync(statusFile, `start ${process.pid} ${child.pid ?? ''}: ${name}\n`);
const forwarded = new Set();
for (const signal of ['SIGINT', 'SIGTERM', 'SIGHUP', 'SIGQUIT']) {
    process.on(signal, () => {
        forwarded.add(signal);
        child.kill(signal);
    });
}
child.on('error', (e) => {
    record(`FAIL cannot start: ${e.message}`);
    process.exit(127);
});
child.on('exit', (code, signal) => {
    if (signal) {
        // xboard interrupts engines with SIGINT all through a game: dying of it
        // is a fault even though the signal came from outside.
        const ok = forwarded.has(signal) && signal !== 'SIGINT';
        record(ok ? `ok ended by ${signal}` : `FAIL killed by ${signal}`);
        // Die the same way, so xboard sees what the engine did.
        process.removeAllListeners(signal);
        process.kill(process.pid, signal);
        return;
    }
    record(code === 0 ? 'ok exit 0' : `FAIL exit status ${code}`);
    process.exit(code);
});
