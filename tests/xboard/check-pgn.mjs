#!/usr/bin/env node
// Replays every game of a PGN saved by xboard with chess.js, an independent
// rules library, and sorts each game's ending into normal and abnormal.
//
//   node check-pgn.mjs [--games N] FILE.pgn
//
// --games N: the match was meant to have N games; games missing from the file
// (xboard killed by the wall-clock limit, or never started) count as failures.
//
// Prints one line per game and a closing "N passed, M failed". Exit status 0
// only when every game replays legally, ends normally and its result agrees
// with the final position; 1 when any game fails; 2 on a usage or file error.

import { readFileSync } from 'node:fs';
import { Chess } from 'chess.js';

const RESULTS = new Set(['1-0', '0-1', '1/2-1/2', '*']);
const NULL_MOVE = /^(?:--|Z0|0000|@@@@)$/;

// Splits PGN text into games of { tags, moves: [{ san, number, comments }],
// preComments, result }. Tolerant of what a killed xboard leaves behind: a
// game cut off before its result token has result null.
function parsePgn(text) {
    const games = [];
    let game = null;
    const newGame = () => ({ tags: {}, moves: [], preComments: [], result: null });
    const current = () => (game ??= newGame());
    const finish = () => {
        if (game && (game.moves.length || game.result !== null || Object.keys(game.tags).length)) {
            games.push(game);
        }
        game = null;
    };
    // Comments after the last move before the result belong to that move in
    // PGN terms; keep them on the move and let the caller pick the ending.
    const addComment = (c) => {
        const g = current();
        if (g.moves.length) g.moves[g.moves.length - 1].comments.push(c);
        else g.preComments.push(c);
    };

    let i = 0;
    let inMovetext = false;
    let moveNumber = null;
    const n = text.length;
    while (i < n) {
        const ch = text[i];
        if (ch === '\n' || ch === '\r' || ch === ' ' || ch === '\t') { i++; continue; }
        if (ch === '%' && (i === 0 || text[i - 1] === '\n')) {
            while (i < n && text[i] !== '\n') i++;
            continue;
        }
        if (ch === '[') {
            // A tag after movetext means the previous game lost its result.
            if (inMovetext) { finish(); inMovetext = false; }
            const end = text.indexOf('\n', i);
            const line = text.slice(i, end < 0 ? n : end);
            const m = /^\[\s*(\w+)\s+"((?:[^"\\]|\\.)*)"\s*\]/.exec(line);
            if (m) current().tags[m[1]] = m[2].replace(/\\(.)/g, '$1');
            i = end < 0 ? n : end + 1;
            continue;
        }
        if (ch === '{') {
            const end = text.indexOf('}', i + 1);
            const body = text.slice(i + 1, end < 0 ? n : end).replace(/\s+/g, ' ').trim();
            addComment(body);
            inMovetext = true;
            i = end < 0 ? n : end + 1;
            continue;
        }
        if (ch === ';') {
            const end = text.indexOf('\n', i);
            addComment(text.slice(i + 1, end < 0 ? n : end).trim());
            i = end < 0 ? n : end + 1;
            continue;
        }
        if (ch === '(') {
            // Variations are not part of the game played; skip them whole.
            let depth = 0;
            while (i < n) {
                if (text[i] === '{') { const e = text.indexOf('}', i + 1); i = e < 0 ? n : e + 1; continue; }
                if (text[i] === '(') depth++;
                else if (text[i] === ')' && --depth === 0) { i++; break; }
                i++;
            }
            continue;
        }
        let j = i;
        while (j < n && !/[\s{}();[]/.test(text[j])) j++;
        if (j === i) { i++; continue; }
        let token = text.slice(i, j);
        i = j;
        inMovetext = true;
        if (RESULTS.has(token)) {
            current().result = token;
            finish();
            inMovetext = false;
            moveNumber = null;
            continue;
        }
        if (token.startsWith('$')) continue;
        const num = /^(\d+)\.+/.exec(token);
        if (num) {
            moveNumber = Number(num[1]);
            token = token.slice(num[0].length);
            if (!token) continue;
        }
        current().moves.push({ san: token, number: moveNumber, comments: [] });
    }
    finish();
    return games;
}

// xboard puts the engine's score and time after each move, e.g. "+0.15/6 0.2"
// or "-1000.03/28"; those are not a reason for the end of the game.
const SCORE_COMMENT = /^(?:[-+]?\d+(?:\.\d+)?\/\d+|book)(?:\s+\S+)*$/i;

function endingComment(game) {
    const last = game.moves.length ? game.moves[game.moves.length - 1].comments : game.preComments;
    for (let k = last.length - 1; k >= 0; k--) {
        if (!SCORE_COMMENT.test(last[k])) return last[k];
    }
    return '';
}

// Endings in the order they are tried: the abnormal ones first, because their
// texts quote normal ones ("False draw claim: 'Draw by repetition'").
// check: what chess.js must say about the final position; result: the
// results that fit the ending ('win' = whichever side is not to move).
const ENDINGS = [
    { re: /forfeits? on time|wins on time|flags? fell|out of time|lost on time|time forfeit/i, abnormal: 'time forfeit' },
    { re: /false\b.*\bclaim/i, abnormal: 'false claim' },
    { re: /illegal move|invalid move/i, abnormal: 'illegal move' },
    { re: /exited unexpectedly|error (?:reading|writing)|crash/i, abnormal: 'engine exited unexpectedly' },
    { re: /abort/i, abnormal: 'game aborted' },
    { re: /\bstall/i, abnormal: 'stall' },
    { re: /\bwhite mates\b/i, kind: 'checkmate', check: 'isCheckmate', result: '1-0' },
    { re: /\bblack mates\b/i, kind: 'checkmate', check: 'isCheckmate', result: '0-1' },
    { re: /\bmates\b|checkmate/i, kind: 'checkmate', check: 'isCheckmate', result: 'win' },
    { re: /stalemate/i, kind: 'stalemate', check: 'isStalemate', result: 'draw' },
    { re: /repetition/i, kind: 'repetition', check: 'isThreefoldRepetition', result: 'draw' },
    { re: /50.?moves?.rule|fifty.?moves?.rule|50-move|fifty move/i, kind: '50-move rule', check: 'isDrawByFiftyMoves', result: 'draw' },
    { re: /insufficient/i, kind: 'insufficient material', check: 'isInsufficientMaterial', result: 'draw' },
    { re: /\bwhite resigns?\b/i, kind: 'resignation', result: '0-1' },
    { re: /\bblack resigns?\b/i, kind: 'resignation', result: '1-0' },
    { re: /draw agreed|trivial draw|long game|offers? a draw/i, kind: 'adjudicated draw', result: 'draw' },
    // A claim that names no rule ("Drawn game") must still be a draw by rule.
    { re: /\bdrawn?\b/i, kind: 'draw claim', check: 'isDraw', result: 'draw' },
    { re: /adjudicat/i, kind: 'adjudication' },
];

function describe(index, game) {
    const w = game.tags.White ?? '?';
    const b = game.tags.Black ?? '?';
    return `game ${index} (${w} - ${b}${game.tags.Round ? `, round ${game.tags.Round}` : ''})`;
}

function moveLabel(chess, san) {
    const number = chess.moveNumber();
    return chess.turn() === 'w' ? `${number}. ${san}` : `${number}... ${san}`;
}

// Returns { ok, text } for one game.
function checkGame(game) {
    let chess;
    const fen = game.tags.FEN;
    try {
        chess = fen ? new Chess(fen) : new Chess();
    } catch (e) {
        return { ok: false, text: `bad start position "${fen}": ${e.message}` };
    }
    const start = fen ? 'from the set-up position' : 'from the initial position';
    for (let k = 0; k < game.moves.length; k++) {
        const { san } = game.moves[k];
        const label = moveLabel(chess, san);
        let played = null;
        try {
            // chess.js takes "--" for a null move, which no game may contain.
            if (!NULL_MOVE.test(san)) played = chess.move(san, { strict: true });
        } catch {
            played = null;
        }
        if (!played) {
            return {
                ok: false,
                text: `illegal move ${label} (ply ${k + 1} ${start}, position ${chess.fen()})`,
            };
        }
    }

    const plies = `${game.moves.length} plies`;
    const comment = endingComment(game);
    const tagResult = game.tags.Result;
    const result = game.result;
    if (result === null) return { ok: false, text: `unterminated: the game has no result token (${plies})` };
    if (result === '*') return { ok: false, text: `no result "*"${comment ? ` {${comment}}` : ''} (${plies})` };
    if (tagResult && tagResult !== result) {
        return { ok: false, text: `Result tag "${tagResult}" differs from the result ${result} after the moves` };
    }

    // Whatever the comment says, a final position without legal moves decides.
    const winner = chess.turn() === 'w' ? '0-1' : '1-0';
    if (chess.isCheckmate() && result !== winner) {
        return { ok: false, text: `the final position is checkmate but the result is ${result} {${comment}}` };
    }
    if (chess.isStalemate() && result !== '1/2-1/2') {
        return { ok: false, text: `the final position is stalemate but the result is ${result} {${comment}}` };
    }

    if (!comment) return { ok: false, text: `no reason given for the result ${result} (${plies})` };
    const ending = ENDINGS.find((e) => e.re.test(comment));
    if (!ending) return { ok: false, text: `unrecognised ending {${comment}} ${result}` };
    if (ending.abnormal) return { ok: false, text: `${ending.abnormal}: {${comment}} ${result} after ${plies}` };

    if (ending.check && !chess[ending.check]()) {
        return { ok: false, text: `claimed ${ending.kind} {${comment}} does not hold in the final position ${chess.fen()}` };
    }
    const expected = ending.result === 'win' ? winner : ending.result === 'draw' ? '1/2-1/2' : ending.result;
    if (expected && result !== expected) {
        return { ok: false, text: `result ${result} does not fit the ending {${comment}} (expected ${expected})` };
    }
    return { ok: true, text: `${ending.kind} {${comment}} ${result} after ${plies}` };
}

function main(argv) {
    let expectedGames = null;
    let file = null;
    for (let k = 0; k < argv.length; k++) {
        if (argv[k] === '--games' && k + 1 < argv.length && /^\d+$/.test(argv[k + 1])) {
            expectedGames = Number(argv[++k]);
        } else if (!file && !argv[k].startsWith('--')) {
            file = argv[k];
        } else {
            file = null;
            break;
        }
    }
    if (!file) {
        console.error('usage: check-pgn.mjs [--games N] FILE.pgn');
        return 2;
    }
    let text;
    try {
        text = readFileSync(file, 'utf8');
    } catch (e) {
        console.error(`check-pgn: cannot read ${file}: ${e.message}`);
        return 2;
    }

    const games = parsePgn(text);
    let passed = 0;
    let failed = 0;
    games.forEach((game, k) => {
        const { ok, text: line } = checkGame(game);
        if (ok) passed++;
        else failed++;
        console.log(`${describe(k + 1, game)}: ${ok ? 'ok' : 'FAIL'}: ${line}`);
    });
    if (expectedGames !== null) {
        for (let k = games.length; k < expectedGames; k++) {
            failed++;
            console.log(`game ${k + 1}: FAIL: missing from ${file} (stalled, crashed or never started)`);
        }
        if (games.length > expectedGames) {
            failed++;
            console.log(`FAIL: ${games.length} games in ${file}, ${expectedGames} expected`);
        }
    }
    if (games.length === 0 && expectedGames === null) {
        failed++;
        console.log(`FAIL: no games in ${file}`);
    }
    console.log(`${passed} passed, ${failed} failed`);
    return failed === 0 ? 0 : 1;
}

process.exitCode = main(process.argv.slice(2));
