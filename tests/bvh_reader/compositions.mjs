// What the reader checks share: the compositions they run, the frame count
// the button rules give, running kinemora-compose and core-positions, and
// the loop that checks every composition and reports.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const COMPOSITIONS = [
  ['rhumba alone', 'rhumba'],
  ['clap alone', 'clap'],
  ['bend alone', 'bend'],
  ['seizure alone', 'seizure'],
  ['punchR alone', 'punchR'],
  ['punchL alone', 'punchL'],
  ['cheer alone', 'cheer'],
  ['mixed with repeats', 'rhumba rhumba clap punchR punchL punchR cheer bend'],
  ['every motion, noise on', 'noise rhumba clap bend seizure punchR punchL cheer'],
  ['noise switched on and off', 'clap noise clap bend noise bend punchL punchL'],
  ['clear in between', 'rhumba clap clear clap bend'],
  ['clear between punches', 'punchR clear punchL cheer punchR'],
  ['seizure with noise', 'noise seizure seizure clap seizure'],
  ['cleared to nothing', 'rhumba clear'],
  ['empty composition', ''],
].map(([name, actions]) => ({ name, actions: actions ? actions.split(' ') : [] }));

// The frames on the timeline after the presses, straight from the button
// rules: motions 97 frames, punches 13, transitions 13; a motion repeating
// the last one, or a punch after a punch, has no transition; "clear" empties
// the timeline but not the memory of the last motion.
export function expectedFrames(actions) {
  const isPunch = (a) => a === 'punchR' || a === 'punchL';
  let frames = 0;
  let last = null;
  for (const action of actions) {
    if (action === 'noise') continue;
    if (action === 'clear') {
      frames = 0;
      continue;
    }
    const repeats = action === last || (isPunch(action) && isPunch(last));
    if (!repeats) frames += 13;
    frames += isPunch(action) ? 13 : 97;
    last = action;
  }
  return frames;
}

export function run(exe, args) {
  const r = spawnSync(exe, args, { encoding: 'utf8', maxBuffer: 1 << 28 });
  if (r.error) throw new Error(`cannot run ${exe}: ${r.error.message}`);
  if (r.status !== 0) {
    throw new Error(`${exe} ${args.join(' ')} exited with ${r.status}: ${r.stderr.trim()}`);
  }
  return r;
}

// The file kinemora-compose writes to `path` (its extension picks the
// format), and the frame count it reports.
export function composeFile(composeExe, actions, path) {
  const { stderr } = run(composeExe, ['-o', path, ...actions]);
  const m = /^frames written: (\d+)$/m.exec(stderr);
  if (!m) throw new Error(`no "frames written: N" in kinemora-compose's stderr:\n${stderr}`);
  return { data: readFileSync(path), framesWritten: Number(m[1]) };
}

// Joint names and, per frame to save, every joint's world position
// (x, y, z in the joints' order) as the view places them.
export function corePositions(coreExe, actions) {
  return JSON.parse(run(coreExe, actions).stdout);
}

// Runs `check(composition, composeExe, coreExe, dir)` on every composition
// and prints a line each; the result holds frames, worst ({distance, joint,
// name, frame}, or null with nothing to compare), problems, and optionally
// a note. Returns the exit status.
export async function checkEveryComposition(script, check) {
  const [composeExe, coreExe] = process.argv.slice(2);
  if (!composeExe || !coreExe) {
    console.error(`usage: node ${script} KINEMORA_COMPOSE CORE_POSITIONS`);
    return 2;
  }
  const dir = mkdtempSync(join(tmpdir(), 'kinemora-reader-'));
  let failed = 0;
  try {
    for (const composition of COMPOSITIONS) {
      let result;
      try {
        result = await check(composition, composeExe, coreExe, dir);
      } catch (e) {
        result = { frames: NaN, worst: null, problems: [e.message] };
      }
      const { worst } = result;
      const error = !worst ? 'no frames to compare'
        : worst.joint < 0 ? 'max error 0'
        : `max error ${worst.distance.toFixed(4)} (${worst.name}, frame ${worst.frame})`;
      const verdict = result.problems.length ? 'FAIL' : 'ok';
      const note = result.note ? `  ${result.note}` : '';
      console.log(`${verdict.padEnd(4)} ${composition.name.padEnd(28)} frames ${String(result.frames).padStart(4)}  ${error}` +
        `${note}  [${composition.actions.join(' ').slice(0, 72)}]`);
      for (const p of result.problems) console.log(p.replace(/^/gm, '     '));
      if (result.problems.length) failed++;
    }
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
  console.log(`compositions: ${COMPOSITIONS.length - failed} passed, ${failed} failed`);
  return failed ? 1 : 0;
}
