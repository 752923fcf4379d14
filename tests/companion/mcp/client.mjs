// SPDX-License-Identifier: GPL-3.0-or-later
// cyklometrika mcp driven by the MCP SDK's own client: it initialises, lists the tools and
// calls each (the SDK checks every answer against the tool's output schema), and each
// document must be the one the command writes with -f json. Then faults by a raw pipe.
// Usage: node client.mjs CYKLOMETRIKA NODE_MODULES_FOLDER; exit 77 where the SDK is missing.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [program, modules] = process.argv.slice(2);
const sdk = join(modules, '@modelcontextprotocol/sdk/dist/esm/client');
if (!existsSync(sdk)) {
    console.log(`SKIP: no MCP client in ${modules} (tests/companion/mcp/install)`);
    process.exit(77);
}
const { Client } = await import(pathToFileURL(join(sdk, 'index.js')));
const { StdioClientTransport } = await import(pathToFileURL(join(sdk, 'stdio.js')));

const home = mkdtempSync(join(tmpdir(), 'cykl-mcp-'));
const env = { ...process.env, XDG_CONFIG_HOME: home, CYKLOMETRIKA_LANG: 'cs' };
const command = (args) => execFileSync(program, args, { env, encoding: 'utf8', stdio: 'pipe' });
command(['people', 'add', 'Jana', '10.1.1996']);

// Each tool with its arguments, and the command line that must write the same document.
const calls = [
    ['day', { person: 'Jana', date: '1996-03-05', lang: 'en' }, ['--lang', 'en', 'day', 'Jana', '1996-03-05']],
    ['month', { person: '10.1.1996', month: '1996-01' }, ['month', '10.1.1996', '1996-01']],
    ['critical', { person: 'Jana', year: 2027 }, ['critical', 'Jana', '2027']],
    ['match', { person: 'Jana', other: '2.2.1990', date: '5.3.1996' }, ['match', 'Jana', '2.2.1990', '5.3.1996']],
    ['together', { people: ['Jana', '1990-02-02'], from: '2026-01-01', to: '2026-06-30' },
     ['together', 'Jana,1990-02-02', '2026-01-01', '2026-06-30']],
];

async function withClient() {
    const client = new Client({ name: 'cyklometrika-test', version: '1' });
    await client.connect(new StdioClientTransport({ command: program, args: ['mcp'], env }));
    try {
        const version = command(['--version']).trim().split(' ')[1];
        assert.deepEqual(client.getServerVersion(), { name: 'cyklometrika', version });
        assert.ok(client.getServerCapabilities().tools);
        await client.ping();
        const { tools } = await client.listTools();
        assert.deepEqual(tools.map((tool) => tool.name).sort(), calls.map(([name]) => name).sort());
        for (const tool of tools)
            assert.ok(tool.description && tool.inputSchema.properties.lang && tool.outputSchema, tool.name);
        for (const [name, args, line] of calls) {
            const result = await client.callTool({ name, arguments: args });
            assert.ok(!result.isError, `${name}: ${JSON.stringify(result.content)}`);
            const document = JSON.parse(command([...line, '-f', 'json']));
            assert.deepEqual(result.structuredContent, document, name);
            assert.deepEqual(JSON.parse(result.content[0].text), document, name);
        }
        // The window's refusal is the tool's error, with the reason the command gives.
        const refused = await client.callTool({ name: 'day', arguments: { person: 'Jana', date: '1990-03-05' } });
        assert.equal(refused.isError, true);
        let reason = '';
        try { command(['day', 'Jana', '1990-03-05']); } catch (error) { reason = error.stderr; }
        assert.ok(reason.includes(refused.content[0].text.split('\n').pop()), reason);
        // A value that would be an option is no date: refused, nothing run.
        const option = await client.callTool({ name: 'month', arguments: { person: '--all' } });
        assert.equal(option.isError, true);
        await assert.rejects(client.callTool({ name: 'chart', arguments: {} }), { code: -32602 });
        await assert.rejects(client.callTool({ name: 'day', arguments: {} }), { code: -32602 });
    } finally {
        await client.close();
    }
}

// Lines the client could not send: a malformed one, an unknown method, a notification
// (no answer), a batch and another version's request (no requests), and a ping; the
// server answers in order and keeps going.
async function rawPipe() {
    const server = spawn(program, ['mcp'], { env, stdio: ['pipe', 'pipe', 'inherit'] });
    let output = '';
    server.stdout.on('data', (chunk) => { output += chunk; });
    const ended = new Promise((resolve) => server.on('close', resolve));
    server.stdin.end('{"jsonrpc":"2.0","id":1,"method":\n'
        + '{"jsonrpc":"2.0","id":2,"method":"resources/list"}\n'
        + '{"jsonrpc":"2.0","method":"notifications/initialized"}\n'
        + '[{"jsonrpc":"2.0","id":4,"method":"ping"}]\n'
        + '{"jsonrpc":"1.0","id":5,"method":"ping"}\n'
        + '{"jsonrpc":"2.0","id":"3","method":"ping"}\n');
    assert.equal(await ended, 0);
    const answers = output.trim().split('\n').map((line) => JSON.parse(line));
    assert.deepEqual(answers.map((answer) => [answer.id, answer.error?.code ?? answer.result]),
        [[null, -32700], [2, -32601], [null, -32600], [5, -32600], ['3', {}]]);
}

try {
    await withClient();
    await rawPipe();
} finally {
    rmSync(home, { recursive: true, force: true });
}
console.log('mcp: the SDK client and the raw pipe agree with the command');
