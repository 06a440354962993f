#!/usr/bin/env node
// Soak run of one program: a game of thousands of plies with searches between, many "new"
// and "setboard" cycles, and a burst of garbage words, all in one process. Every reply is
// checked with chess.js, a rules library that shares nothing with the engines: each move
// the program plays must be legal, each result it announces must hold, and brelstan's
// one-ply count ("bulk 1") after every step must equal the number of legal moves of the
// position the driver keeps. At the end the program must quit with status 0 and have
// written nothing to standard error (where the sanitizers and valgrind report).
//
//   node soak.mjs [options] KIND PROGRAM [ARGS...]
//
// KIND is "engine" (brelstan, brelstan64) or "early" (brelstan-early). PROGRAM may be a
// wrapper such as valgrind with the program among ARGS.
//   --plies N      length of the long game (2000)
//   --cycles N     "new"/"setboard" cycles (150)
//   --garbage N    garbage words in the burst (20000)
//   --seed N       seed of the driver's choices (1); the programs' own moves depend on time
//   --timeout S    seconds allowed for any one reply (120)
// Exit status 0 on a clean run, 1 on any fault, 2 on a usage error, 3 when chess.js is
// not installed (tests/xboard/install-deps).

import { spawn } from 'node:child_process';
import { createRequire } from 'node:module';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';

let Chess;
try {
    ({ Chess } = createRequire(new URL('../xboard/package.json', import.meta.url))('chess.js'));
} catch {
    console.log('soak: chess.js is not installed (tests/xboard/install-deps)');
    process.exit(3);
}

// ---------------------------------------------------------------------------------------
// Options
// ---------------------------------------------------------------------------------------
const options = { plies: 2000, cycles: 150, garbage: 20000, seed: 1, timeout: 120 };
const argv = process.argv.slice(2);
while (argv.length && argv[0].startsWith('--')) {
    const name = argv.shift().slice(2);
    if (!(name in options) || !argv.length || !/^\d+$/.test(argv[0])) usage();
    options[name] = Number(argv.shift());
}
const [kind, program, ...programArgs] = argv;
if (!['engine', 'early'].includes(kind) || !program) usage();
const isEarly = kind === 'early';
// The program runs in a folder of its own, so paths are taken from here first.
const absolute = (p) => (p.includes('/') && !p.startsWith('-') ? resolve(p) : p);

function usage() {
    console.error('usage: soak.mjs [--plies N] [--cycles N] [--garbage N] [--seed N] [--timeout S] engine|early PROGRAM [ARGS...]');
    process.exit(2);
}

class Fault extends Error {}
function fail(message) { throw new Fault(message); }

// Deterministic choices: the same seed drives the same sequence of decisions.
function makeRandom(seed) {
    let a = seed >>> 0;
    return () => {
        a = (a + 0x6d2b79f5) >>> 0;
        let t = a;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}
const random = makeRandom(options.seed);
const randomInt = (n) => Math.floor(random() * n);
const pick = (list) => list[randomInt(list.length)];
function shuffle(list) {
    for (let i = list.length - 1; i > 0; --i) {
        const j = randomInt(i + 1);
        [list[i], list[j]] = [list[j], list[i]];
    }
    return list;
}

// ---------------------------------------------------------------------------------------
// The program under test
// ---------------------------------------------------------------------------------------
const workDir = mkdtempSync(join(tmpdir(), 'soak-'));  // no opening books, nothing written beside the tests
const child = spawn(absolute(program), programArgs.map(absolute), { cwd: workDir, stdio: ['pipe', 'pipe', 'pipe'] });
let stderrText = '';
child.stderr.setEncoding('latin1');
child.stderr.on('data', (d) => { stderrText += d; });
child.stdin.on('error', () => {});  // a program that died shows in its exit status
const exited = new Promise((resolve) => child.on('close', (code, signal) => resolve({ code, signal })));
let spawnError = null;
child.on('error', (e) => { spawnError = e; });

const lines = [];
let partial = '';
let wake = null;
child.stdout.setEncoding('latin1');
child.stdout.on('data', (d) => {
    partial += d;
    const parts = partial.split('\n');
    partial = parts.pop();
    lines.push(...parts.map((l) => l.replace(/\r$/, '')));
    if (wake) wake();
});
child.stdout.on('end', () => { if (wake) wake(); });

const transcript = [];  // the last exchanges, printed with a fault
function remember(text) {
    transcript.push(text);
    if (transcript.length > 40) transcript.shift();
}

function send(text) {
    remember(`> ${text.length > 300 ? text.slice(0, 300) + '...' : text.trimEnd()}`);
    child.stdin.write(text, 'latin1');
}

// The lines before the first that matches `fence`, and that line.
async function readUntil(fence) {
    const deadline = Date.now() + options.timeout * 1000;
    const taken = [];
    for (;;) {
        while (lines.length) {
            const line = lines.shift();
            remember(`< ${line}`);
            if (fence.test(line)) return { taken, fenceLine: line };
            taken.push(line);
        }
        if (child.exitCode !== null || child.signalCode !== null || child.stdout.readableEnded)
            fail('the program ended while a reply was awaited');
        const left = deadline - Date.now();
        if (left <= 0) fail(`no reply within ${options.timeout} s`);
        await new Promise((resolve) => {
            const timer = setTimeout(resolve, Math.min(left, 1000));
            wake = () => { clearTimeout(timer); resolve(); };
        });
        wake = null;
    }
}

// brelstan answers "bulk 1" with the number of legal moves; brelstan-early answers
// "protover" with its feature line. Either marks the end of the replies to what came
// before. Returns those replies and brelstan's count.
const FENCE = isEarly ? /^feature done=1$/ : /^nodes=(\d+) time=\d+\.\d\d$/;
const FENCE_COMMAND = isEarly ? 'protover 2\n' : 'bulk 1\n';
async function exchange(text) {
    send(text + FENCE_COMMAND);
    const { taken, fenceLine } = await readUntil(FENCE);
    return { replies: taken, count: isEarly ? null : Number(FENCE.exec(fenceLine)[1]) };
}

// ---------------------------------------------------------------------------------------
// The game as the driver keeps it
// ---------------------------------------------------------------------------------------
let game = new Chess();
let keys = [];              // the repetition key of every position since the game's start
let whiteMoves = 0, blackMoves = 0;
const stats = { longestGame: 0, restarts: 0, lastSearchPly: 0, plies: 0, engineMoves: 0, driverMoves: 0, results: 0, setups: 0, refused: 0, news: 0 };

// Placement and side; for brelstan-early also castling rights and the en-passant square,
// which its claim compares too.
const keyOf = (g) => g.fen().split(' ').slice(0, isEarly ? 4 : 2).join(' ');

function startGame(fen) {
    game = fen ? new Chess(fen) : new Chess();
    lastSearch = null;
    keys = [keyOf(game)];
    whiteMoves = blackMoves = 0;
}

function applyMove(m) {
    if (game.turn() === 'w') ++whiteMoves; else ++blackMoves;
    game.move(m);
    keys.push(keyOf(game));
    ++stats.plies;
}

const endsGame = (g) => g.isCheckmate() || g.isStalemate();

// True when the side to move has a move that mates or stalemates.
function hasEndingMove(g) {
    for (const m of g.moves({ verbose: true })) {
        g.move(m);
        const ends = endsGame(g);
        g.undo();
        if (ends) return true;
    }
    return false;
}

// No pawns, and a lone king against a lone king or against king and one minor piece: the
// engines' own test, which unlike chess.js's leaves king and bishop against king and bishop.
function insufficientMaterial(g) {
    const men = { w: [], b: [] };
    for (const row of g.board()) for (const sq of row) if (sq) men[sq.color].push(sq.type);
    if ([...men.w, ...men.b].includes('p')) return false;
    const minor = (list) => list.some((t) => t === 'n' || t === 'b');
    const w = men.w.length, b = men.b.length;
    return (w === 1 && b === 1) || (w === 2 && b === 1 && minor(men.w)) || (w === 1 && b === 2 && minor(men.b));
}

const halfmoveClock = (g) => Number(g.fen().split(' ')[4]);

// Whether a result line of the program holds for the game as it stands.
// Without a legal move, mate or stalemate is the result, whatever else holds.
function checkResult(line) {
    const key = keyOf(game);
    const ending = game.isCheckmate() ? (game.turn() === 'w' ? '0-1 {Black mates}' : '1-0 {White mates}')
        : game.isStalemate() ? '1/2-1/2 {Stalemate}' : null;
    const endsHere = () => line === ending;
    const holds = {
        '1-0 {White mates}': endsHere,
        '0-1 {Black mates}': endsHere,
        '1/2-1/2 {Stalemate}': endsHere,
        '1/2-1/2 {50 moves rule}': () => !ending && halfmoveClock(game) >= 100,
        '1/2-1/2 {Draw by repetition}': () => !ending && keys.filter((k) => k === key).length >= 3,
        '1/2-1/2 {Insufficient material}': () => !ending && insufficientMaterial(game),
    }[line];
    if (!holds) return false;
    if (!holds()) fail(`result "${line}" does not hold in ${game.fen()}`);
    ++stats.results;
    return true;
}

// A thinking line: depth, score, time, nodes, then the line of moves. brelstan prints
// scores in centipawns from White's side, brelstan-early from the thinking side's; mates
// score in the thousands.
const THINKING = /^ *(-?\d+)\s+(-?\d+)\s+-?\d+\s+-?\d+\s/;
const CLEAR_LEAD = 500;
let lastSearch = null;  // { score }: the score of the program's last search, from White's side

// Checks the replies to one step and plays the program's move. Returns whether a move
// came and whether a result was announced.
function takeReplies({ replies, count }, what) {
    let moved = false;
    let announced = false;
    for (const line of replies) {
        const thinking = THINKING.exec(line);
        if (thinking) {
            const score = Number(thinking[2]);
            lastSearch = { score: isEarly && game.turn() === 'b' ? -score : score };
            continue;
        }
        if (checkResult(line)) {
            announced = true;
            continue;
        }
        const m = /^move ([a-h][1-8])([a-h][1-8])([qrbn]?)$/.exec(line);
        if (!m) fail(`unexpected output after ${what}: "${line}"`);
        if (moved) fail(`a second move after ${what}`);
        if (announced) fail(`a move after the result, after ${what}`);
        // The text must be exactly that of a legal move, promotion letter and all.
        const played = game.moves({ verbose: true }).find((legal) => legal.lan === m[1] + m[2] + m[3]);
        if (!played) fail(`illegal move "${line}" after ${what} in ${game.fen()}`);
        applyMove(played);
        ++stats.engineMoves;
        moved = true;
    }
    if (count !== null && count !== game.moves().length)
        fail(`bulk 1 counts ${count} moves where ${game.fen()} has ${game.moves().length}`);
    return { moved, announced };
}

const VALUE = { p: 1, n: 3, b: 3, r: 5, q: 9, k: 0 };

// The side that is winning, if one is: a mate or a clear lead in the program's last
// search. The driver plays that side's moves, which wastes the lead, so that no one game
// ends early in a mate.
function favouredSide() {
    if (lastSearch && Math.abs(lastSearch.score) >= CLEAR_LEAD) return lastSearch.score > 0 ? 'w' : 'b';
    return null;
}

// The most the side to move can take at once.
function bestCapture(g) {
    let best = 0;
    for (const m of g.moves({ verbose: true })) if (m.captured) best = Math.max(best, VALUE[m.captured]);
    return best;
}

// The driver's own move for the side to move. It neither ends the game nor leaves the
// other side a move that ends it, and it keeps the material on the board, so that one
// game goes on with searches for thousands of plies: no capture of its own and as little
// as possible left for the other side to take. When the fifty-move count nears its end,
// a pawn move or a capture first.
function driverMove() {
    const moves = shuffle(game.moves({ verbose: true }));
    const resetNeeded = halfmoveClock(game) >= 80;
    let chosen = null, lowest = Infinity, fallback = null;
    for (const m of moves) {
        const resets = m.piece === 'p' || Boolean(m.captured);
        game.move(m);
        const ends = endsGame(game);
        const safe = !ends && !hasEndingMove(game) && !insufficientMaterial(game);
        const cost = !safe ? Infinity
            : 10 * bestCapture(game) + (m.captured && !resetNeeded ? 50 : 0) + (resetNeeded && !resets ? 1000 : 0);
        game.undo();
        if (cost < lowest) {
            chosen = m;
            lowest = cost;
            if (cost === 0) break;
        }
        if (!ends && !fallback) fallback = m;
    }
    return chosen ?? fallback ?? moves[0];
}

// Whether the program, having been sent a move, owes a reply: brelstan-early waits for
// "go" after White's first move of a game, brelstan only when told its opponent is a
// computer, which this driver never does.
const owesReply = () => !(isEarly && whiteMoves === 1 && blackMoves === 0);

// One ply of the game: either "go", where the program searches and plays the side to
// move, or a move of the driver, which the program answers with a search of its own.
// Returns whether the program moved, and whether it announced a result instead of moving:
// then the driver makes the next move.
async function step(driverChooses) {
    if (!driverChooses) {
        const { moved, announced } = takeReplies(await exchange(`${TIME}go\n`), 'go');
        if (!moved && !announced) fail(`no move and no result after go in ${game.fen()}`);
        return { moved, drawn: announced && !moved };
    }
    const m = driverMove();
    applyMove(m);
    ++stats.driverMoves;
    const expected = owesReply();
    const { moved, announced } = takeReplies(await exchange(`${TIME}${m.lan}\n`), m.lan);
    const answered = moved || announced;
    if (expected && !answered) fail(`no reply to the move ${m.lan}; position ${game.fen()}`);
    if (!expected && answered) fail(`a reply to White's first move ${m.lan}, which should wait for go`);
    return { moved, drawn: announced && !moved };
}

async function sendNew() {
    startGame();
    takeReplies(await exchange('new\n'), 'new');
}

// A few plies after a new game, a set-up or the garbage; White's first move of a game
// comes from the driver, as an interface would send it. A game that ends is followed by
// a new one when `goOn`, else the plies stop.
async function playShort(plies, goOn) {
    for (let n = 0, drawn = false; n < plies; ++n) {
        if (!game.moves().length) {
            if (!goOn) return;
            await sendNew();
        }
        const driverChooses = drawn || hasEndingMove(game) || (whiteMoves === 0 && game.turn() === 'w') ||
            randomInt(3) === 0;
        ({ drawn } = await step(driverChooses));
    }
}

// ---------------------------------------------------------------------------------------
// Garbage
// ---------------------------------------------------------------------------------------
// Every word either program takes as a command. Garbage holds none of them, nor a word
// that starts like a move, even once brelstan has read a number off its front (after
// "setboard" it reads two numbers from whatever words follow); the only move words are
// moves made illegal on purpose in the position.
const COMMANDS = new Set(['go', 'level', 'new', 'post', 'nopost', 'computer', 'protover', 'time', 'perf', 'bulk',
    'testperf', 'fileperf', 'setboard', 'testbulk', 'filebulk', 'testlsb', 'testmsb', 'testpop',
    'testgenb', 'testgenr', 'testgenq', 'quit']);
const MOVE_START = /^[a-h][1-8][a-h][1-8]/;
const harmless = (w) => [w, w.replace(/^[+-]?\d*/, ''), w.replace(/^[+-]?\d*:?[+-]?\d*/, '')].every(
    (rest) => !COMMANDS.has(rest) && !MOVE_START.test(rest));
const IGNORED = ['xboard', 'force', 'undo', 'remove', 'otim', 'hard', 'easy', 'random', 'ping', 'result', 'draw',
    'hint', 'bk', 'white', 'black', 'accepted', 'rejected', 'variant', 'name', 'rating', 'ics', 'st', 'sd', '?',
    'analyze', 'exit', '.', 'usermove', 'memory', 'cores', 'egtpath', 'option', 'GO', 'Quit', 'NEW', 'lev',
    'levelx', 'goo', 'tim', 'setboar', 'bul', 'per', 'nopos'];
const squareName = (i) => 'abcdefgh'[i % 8] + '12345678'[i >> 3];

function randomBytes(length, low, high) {
    let s = '';
    for (let i = 0; i < length; ++i) {
        let c;
        do c = low + randomInt(high - low + 1);
        while (c === 0 || (c >= 9 && c <= 13) || c === 32);
        s += String.fromCharCode(c);
    }
    return s;
}

function illegalMoveWord() {
    const legal = new Set(game.moves({ verbose: true }).map((m) => m.from + m.to));
    for (;;) {
        const word = squareName(randomInt(64)) + squareName(randomInt(64));
        if (legal.has(word)) continue;
        return word + pick(['', '', 'q', 'n', 'x', 'qq', randomBytes(1 + randomInt(8), 33, 126)]);
    }
}

function garbageWord() {
    switch (randomInt(8)) {
        case 0: return randomBytes(1 + randomInt(12), 33, 126);
        case 1: return randomBytes(300 + randomInt(3000), 33, 126);
        case 2: return randomBytes(1 + randomInt(20), 1, 255);
        case 3: return pick(['-', '+', '--5', '1:2:3', ':', '99999999999999999999999999', '-2147483649', '0x10',
            '1e9', '4294967296', '-0', '+7']);
        case 4: return pick(IGNORED);
        default: {
            const w = randomBytes(1 + randomInt(8), 33, 126);
            return randomInt(3) ? w : w.toUpperCase();
        }
    }
}

// Commands with arguments they cannot use: the numbers of "level" and "time" missing or
// out of range, and set-ups without kings, which brelstan refuses with its error line.
function malformedCommand() {
    const placement = () => {
        let s = '';
        // No 'b' among them: it could spell a move word.
        for (let i = 0, n = 1 + randomInt(70); i < n; ++i) s += pick('pnrqPNBRQ12345678/'.split(''));
        return s;
    };
    switch (randomInt(4)) {
        case 0: return `level ${pick(['x', '40', '40 5', '40 x', '-1 -1', '0 0:'])} ${pick(IGNORED)}`;
        case 1: return `level ${pick(['99999999999', '-2147483648'])} ${pick(['0', '9:99', '1:-1'])} ${pick(['0', '-9', '2147483647'])}`;
        case 2: return `time ${pick(['', '-', 'x', '99999999999999', '-2147483648'])} ${pick(IGNORED)}`;
        default: return `setboard ${placement()} ${pick(['w', 'b', 'x', '-'])} ${pick(['KQkq', '-', 'Kx'])} ${pick(['-', 'e3', 'z9'])}`;
    }
}

// Fills a burst of `count` words; returns the text and how many set-ups brelstan must refuse.
function garbageBurst(count) {
    const words = [];
    let setups = 0;
    while (words.length < count) {
        if (randomInt(20) === 0) {
            const c = malformedCommand();
            if (c.startsWith('setboard')) ++setups;
            words.push(c);
            continue;
        }
        if (randomInt(9) === 0) {
            words.push(illegalMoveWord());
            continue;
        }
        const w = garbageWord();
        if (harmless(w)) words.push(w);
    }
    let text = '';
    for (const w of words) text += w + pick([' ', ' ', '\n', '\t', '  ', '\r\n']);
    return { text: text + '\n', setups };
}

// ---------------------------------------------------------------------------------------
// The run
// ---------------------------------------------------------------------------------------
// Searches of about a twentieth of a second: brelstan's budget is a twelfth of its clock
// less two margins of 10 cs, brelstan-early's a twentieth less a margin of 500 ms.
const TIME = isEarly ? 'time 1100\n' : 'time 300\n';
const LEVEL = isEarly ? 'level 0 0 0\n' : 'level 0 5 0\n';

function randomPosition(plies) {
    const g = new Chess();
    for (let i = 0; i < plies; ++i) {
        const moves = g.moves({ verbose: true }).filter((m) => {
            g.move(m);
            const ok = !g.isGameOver();
            g.undo();
            return ok;
        });
        if (!moves.length) break;
        g.move(pick(moves));
    }
    return g.fen().split(' ').slice(0, 4).join(' ') + ' 0 1';
}

// Set-ups brelstan must refuse: no kings, a king missing, the side not to move in check,
// kings side by side.
const REFUSED = ['8/8/8/8/8/8/8/8 w - - 0 1', 'rnbq1bnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1',
    'k7/8/8/8/8/8/8/R3K3 w - - 0 1', '8/8/8/3kK3/8/8/8/8 b - - 0 1', '4k3/8/8/8/8/8/4Q3/4K3 w - - 0 1'];

async function longGame() {
    // Both sides are played by the program through "go", with moves of the driver mixed in:
    // the driver moves whenever a "go" could take material or end the game at once, when
    // the program has announced a result, and for the winning side. Should only kings and
    // at most a minor piece be left all the same, the program announces the draw at every
    // move and the driver plays both sides on; should a game end in mate, a new one starts
    // and the plies go on counting.
    let drawn = false;
    let gamePlies = 0;
    while (stats.plies < options.plies) {
        if (!game.moves().length) {
            ++stats.restarts;
            await sendNew();
            drawn = false;
            gamePlies = 0;
        }
        const favoured = favouredSide();
        const side = game.turn();
        // The program searches ("go") only where it has nothing to take, so that the
        // material stays; it answers each of the driver's moves with a search too.
        const driverChooses = drawn || favoured === side || bestCapture(game) > 0 || hasEndingMove(game) ||
            randomInt(5) === 0;
        const before = stats.plies;
        let moved;
        ({ moved, drawn } = await step(driverChooses));
        gamePlies += stats.plies - before;
        stats.longestGame = Math.max(stats.longestGame, gamePlies);
        if (moved) stats.lastSearchPly = stats.plies;
    }
}

async function cycles() {
    for (let i = 0; i < options.cycles; ++i) {
        const choice = isEarly ? 0 : randomInt(3);
        if (choice === 0) {
            await sendNew();
            ++stats.news;
        } else if (choice === 1) {
            const fen = randomPosition(randomInt(80));
            startGame(fen);
            const reply = await exchange(`setboard ${fen}\n`);
            if (reply.replies.length) fail(`reply to a valid set-up ${fen}: "${reply.replies[0]}"`);
            takeReplies(reply, 'setboard');
            ++stats.setups;
        } else {
            const fen = pick(REFUSED);
            const reply = await exchange(`setboard ${fen}\n`);
            if (reply.replies.join('\n') !== 'tellusererror Illegal position')
                fail(`set-up ${fen} answered ${JSON.stringify(reply.replies)}`);
            takeReplies({ replies: [], count: reply.count }, 'a refused set-up');
            ++stats.refused;
        }
        await playShort(randomInt(6), false);
    }
}

async function garbage() {
    const { text, setups } = garbageBurst(options.garbage);
    send(text);
    const { replies, count } = await exchange('');
    const refusals = replies.filter((l) => l === 'tellusererror Illegal position').length;
    const other = replies.filter((l) => l !== 'tellusererror Illegal position');
    if (other.length) fail(`garbage answered with "${other[0]}"`);
    if (refusals !== (isEarly ? 0 : setups))
        fail(`${refusals} set-up refusals for ${setups} kingless set-ups in the garbage`);
    takeReplies({ replies: [], count }, 'the garbage');
    // The position and the game are as they were: the program plays on.
    takeReplies(await exchange(LEVEL), 'level');
    await playShort(40, true);
}

async function main() {
    const started = Date.now();
    send(`xboard\nprotover 2\n${isEarly ? '' : 'accepted setboard\n'}`);
    const features = (await readUntil(/^feature done=1$/)).taken;
    if (features.some((l) => l !== 'feature setboard=1')) fail(`unexpected start-up output ${JSON.stringify(features)}`);
    takeReplies(await exchange(`post\n${LEVEL}`), 'start-up');
    startGame();
    await longGame();
    const longPlies = stats.plies;
    await cycles();
    await garbage();
    send('quit\n');
    const timeout = new Promise((resolve) => setTimeout(resolve, options.timeout * 1000, null).unref());
    const ending = await Promise.race([exited, timeout]);
    if (!ending) fail(`the program did not end within ${options.timeout} s of quit`);
    const { code, signal } = ending;
    if (spawnError) fail(`cannot start ${program}: ${spawnError.message}`);
    if (code !== 0) fail(`the program ended with ${signal ? 'signal ' + signal : 'status ' + code}`);
    if (stderrText) fail(`the program wrote to standard error:\n${stderrText.slice(0, 4000)}`);
    const s = stats;
    console.log(`soak: long game ${longPlies} plies, ${s.restarts} restarts, longest ${s.longestGame}, last search at ply ${s.lastSearchPly}; in all ${s.plies} plies, ${s.engineMoves} moves of the program, ` +
        `${s.driverMoves} of the driver, ${s.results} results announced; ${s.news} new, ${s.setups} set-ups, ` +
        `${s.refused} refused; ${options.garbage} garbage words; ${((Date.now() - started) / 1000).toFixed(1)} s`);
}

try {
    await main();
    rmSync(workDir, { recursive: true, force: true });
    console.log('soak: PASS');
} catch (e) {
    child.kill('SIGKILL');
    console.log(`soak: FAIL: ${e instanceof Fault ? e.message : e.stack}`);
    if (spawnError) console.log(`cannot start ${program}: ${spawnError.message}`);
    console.log('last exchanges:\n' + transcript.join('\n'));
    if (stderrText) console.log('standard error:\n' + stderrText.slice(0, 4000));
    console.log(`run folder: ${workDir}`);
    process.exit(1);
}
